#pragma once
#include <windows.h>

// A child control whose messages a player needs: the control's own procedure is replaced by Handle, which
// passes on to the original procedure what it does not answer.
class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Creates a control of the system class with the text, style, rectangle and identifier.
    HWND CreateControl(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                       HWND parent, int id);
    // The control's own processing.
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    bool destroying_ = false;
};
