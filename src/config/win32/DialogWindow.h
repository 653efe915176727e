#pragma once
#include <windows.h>

#include <string>

// A dialog made from a resource template whose messages go to this object: run modally, or made as a
// child page of another window.
class DialogWindow {
public:
    explicit DialogWindow(int templateId) : templateId_(templateId) { }
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs the dialog modally; returns what EndDialog was given, or -1 when it could not be made.
    INT_PTR DoModal(HWND owner);
    // Makes the dialog as a child of parent, hidden until shown; false when it could not be made.
    bool Create(HWND parent);
    void Destroy();

    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Handles a message; returns true when it did, with the dialog procedure's answer in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }
    int Checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0; }
    void SetChecked(int id, int on) { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND hwnd_ = nullptr;
};

// The program's module, where the resources are.
HINSTANCE ResourceModule();

// A 3-D frame one pixel wide just inside rect: top and left in one colour, bottom and right in another.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
