#pragma once
#include "config/ConfigPages.h"
#include "config/win32/DialogWindow.h"
#include "gfx/Picture.h"

#include <memory>
#include <vector>

class UserSettings;
class ProjectInfo;
class SettingPageWindow;
class TransitionsPageWindow;
class PublisherPageWindow;
class DescriptionPageWindow;
class ConfigPage;

// The settings dialog: the project's pages in a tab control beside its picture, a menu with Save, Exit,
// the author's website and About, and OK and Cancel.
class SettingsDialog final : public DialogWindow {
public:
    SettingsDialog();
    ~SettingsDialog() override;

    void SetSettings(UserSettings* settings, ProjectInfo* project);
    // Stores the pages' controls into the user settings and writes them to the user's store.
    void SaveSettings();

    // The pages, in tab order, and the one shown.
    const std::vector<PageKind>& Pages() const { return pageList_; }
    ConfigPage* Page(PageKind kind) const;
    HWND TabControl() const { return tabs_; }
    HWND PictureControl() const { return picture_; }
    const Picture& DialogPicture() const { return dialogPicture_; }

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    void CreatePages();
    void ShowSelectedPage();
    void TrimMenu();
    void ShowAbout();
    void OnCommand(int id, int code);
    void Paint();
    static LRESULT CALLBACK PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND picture_ = nullptr;
    HWND tabs_ = nullptr;
    std::unique_ptr<SettingPageWindow> tab1_;
    std::unique_ptr<TransitionsPageWindow> tab2_;
    std::unique_ptr<PublisherPageWindow> tab3_;
    std::unique_ptr<DescriptionPageWindow> tab4_;
    std::vector<PageKind> pageList_;
    Picture dialogPicture_;
    Picture stretchedPicture_; // the picture at the size it is drawn
    UserSettings* settings_ = nullptr;
    ProjectInfo* project_ = nullptr;
    HICON icon_ = nullptr;
    WNDPROC pictureProcedure_ = nullptr;
    bool menuTrimmed_ = false;
};

// Runs the settings dialog modally on the user settings and the project (Configure mode, and the show's
// "Setting" command); owner may be null.
INT_PTR RunSettingsDialog(UserSettings& settings, ProjectInfo& project, HWND owner);
