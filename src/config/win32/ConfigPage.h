#pragma once
#include "config/win32/DialogWindow.h"

#include <algorithm>

class UserSettings;
class ProjectInfo;

// A tab page of the settings dialog: given the user settings and the project before it is made.
class ConfigPage : public DialogWindow {
public:
    using DialogWindow::DialogWindow;
    void SetSettings(UserSettings* settings, ProjectInfo* project)
    {
        settings_ = settings;
        project_ = project;
    }

protected:
    // Widens and lengthens a control to the page's client area, less a margin, keeping its top left.
    void StretchToPage(int id, int margin = 8)
    {
        HWND item = Item(id);
        RECT page, r;
        if (!item || !GetClientRect(Handle(), &page) || !GetWindowRect(item, &r))
            return;
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(item, nullptr, 0, 0, std::max<LONG>(0, page.right - margin - r.left),
                     std::max<LONG>(0, page.bottom - margin - r.top), SWP_NOMOVE | SWP_NOZORDER);
    }

    UserSettings* settings_ = nullptr;
    ProjectInfo* project_ = nullptr;
};
