#pragma once
#include <windows.h>

#include <string>

// A static text that underlines itself as a link, changes colour while the mouse is over it, and opens
// its target with the shell when clicked (or posts a command to its parent).
class LinkLabel final {
public:
    enum Kind { kPlain = 0, kWeb = 1, kMail = 2, kCommand = 3 };

    LinkLabel() = default;
    ~LinkLabel();
    LinkLabel(const LinkLabel&) = delete;
    LinkLabel& operator=(const LinkLabel&) = delete;

    void SetNormalColour(COLORREF colour) { normalColour_ = colour; }
    void SetLinkKind(int kind) { kind_ = kind; }
    void SetTarget(const std::string& target) { target_ = target; }
    void SetBitmapFlag(bool on, int hoverBitmap = 0, int normalBitmap = 0);
    void SetCommandMessage(int message) { commandMessage_ = message; }

    // Makes the static control (its window text stays empty: the label draws its own) and sets the
    // 12-point font.
    bool Create(const std::string& text, DWORD style, const RECT& rect, HWND parent, int id);
    HWND Handle() const { return hwnd_; }
    bool Hovering() const { return hovering_; }
    COLORREF TextColour() const { return hovering_ && kind_ != kPlain ? hoverColour_ : normalColour_; }

    // What a click does, without the mouse: opens the target or posts the command.
    void Click();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND hwnd_ = nullptr;
    WNDPROC staticProcedure_ = nullptr;
    bool autoSize_ = true;
    std::string text_ = "Hot Link Label";
    int commandMessage_ = -1;
    std::string target_;
    int hoverBitmap_ = 0, normalBitmap_ = 0;
    bool bitmapFlag_ = false;
    bool hovering_ = false;
    int kind_ = kPlain;
    COLORREF normalColour_ = 0xFFFFFF;
    COLORREF hoverColour_ = 0xFF0000;
    LOGFONTA font_{};
};

// Opens a link's target with the shell, only when it is a web or mail address (see SafeLinkTarget).
void OpenLink(HWND owner, const std::string& target, int show);
