// The settings dialog made for real from the program's resources, driven with window messages.
#include "base/EffectCount.h"
#include "config/ConfigIds.h"
#include "config/win32/AboutBox.h"
#include "config/win32/PublisherPageWindow.h"
#include "config/win32/SettingPageWindow.h"
#include "config/win32/SettingsDialog.h"
#include "config/win32/TransitionsPageWindow.h"
#include "model/ProjectDbBuilder.h"
#include "model/ProjectInfo.h"
#include "model/UserSettings.h"
#include "support/TempDir.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using P = ProjectOptions;

// A project loaded as start-up loads it, and the settings dialog made on it (modeless and unmapped, so
// the test can look at it; it is the same dialog the modal run shows).
struct OpenDialog {
    TempDir dir;
    ProjectDatabase db;
    ProjectInfo project;
    UserSettings settings;
    SettingsDialog dialog;

    explicit OpenDialog(std::initializer_list<size_t> flags, const std::string& website = "https://example.org/")
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        ProjectOptions options;
        for (size_t flag : flags)
            options.SetFlag(flag, true);
        ProjectDbBuilder builder;
        builder.projectData = options.ToString();
        builder.projectTexts = {{"projectname", "Dialog Test.kdp"},
                                {"version", "2.5"},
                                {"authorname", "Ann"},
                                {"authorwebsite", website},
                                {"authoremail", "ann@example.org"},
                                {"description", "One\nTwo"}};
        builder.WriteAndOpen(dir.File("project.db"), db);
        project.SetDatabase(&db);
        project.OpenProjectTable();
        project.Load();
        settings.SetKey(project.GetProjectName());
    }
    void Open()
    {
        dialog.SetSettings(&settings, &project);
        ASSERT_TRUE(dialog.Create(nullptr));
        // What showing it sends, without mapping a window the display would be slow to take down again.
        SendMessageA(dialog.Handle(), WM_SHOWWINDOW, TRUE, 0);
        Pump();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    template <class Page> Page& Tab(PageKind kind) { return *static_cast<Page*>(dialog.Page(kind)); }
    std::string Tabs() const
    {
        std::string tabs;
        const int count = static_cast<int>(SendMessageA(dialog.TabControl(), TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(dialog.TabControl(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            tabs += std::string(tabs.empty() ? "" : ",") + text;
        }
        return tabs;
    }
    std::string Menus() const
    {
        std::string menus;
        HMENU bar = GetMenu(dialog.Handle());
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            char text[64] = {};
            GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
            menus += std::string(menus.empty() ? "" : ",") + text;
        }
        return menus;
    }
};

std::string WindowText(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

} // namespace

TEST(ConfigDialog, TabsMenusAndPictureFollowTheProject)
{
    struct Case {
        std::initializer_list<size_t> flags;
        const char* tabs;
        const char* menus;
    };
    const Case cases[] = {
        {{P::kTransitionsPage, P::kPublisherPage, P::kVisitWebsite, P::kHelpMenu, P::kShowDialogPicture},
         "Setting,Transitions,Publisher",
         "File,Action,Help"},
        {{P::kTransitionsPage, P::kHelpMenu}, "Setting,Transitions,Description", "File,Help"},
        {{P::kPublisherPage, P::kVisitWebsite}, "Setting,Publisher", "File,Action"},
        {{}, "Setting,Description", "File"},
    };
    for (const Case& c : cases) {
        OpenDialog d(c.flags);
        d.Open();
        EXPECT_EQ(d.Tabs(), c.tabs);
        EXPECT_EQ(d.Menus(), c.menus) << c.tabs;
        const bool picture = std::string(c.menus) == "File,Action,Help";
        EXPECT_EQ(d.dialog.PictureControl() != nullptr, picture) << c.tabs;
        // Only the Setting page shows until another tab is chosen.
        for (PageKind kind : d.dialog.Pages())
            EXPECT_EQ((GetWindowLongA(d.dialog.Page(kind)->Handle(), GWL_STYLE) & WS_VISIBLE) != 0,
                      kind == PageKind::Setting)
                << c.tabs;
        RECT window;
        GetWindowRect(d.dialog.Handle(), &window);
        EXPECT_EQ(window.right - window.left, 410);
        EXPECT_EQ(window.bottom - window.top, 380);
    }

    // The system menu offers the About box.
    OpenDialog d({});
    d.Open();
    char about[64] = {};
    GetMenuStringA(GetSystemMenu(d.dialog.Handle(), FALSE), IDM_ABOUTBOX, about, sizeof about, MF_BYCOMMAND);
    EXPECT_STREQ(about, "About Screensaver (&A)...");
}

TEST(ConfigDialog, SettingPageEditsTheSettings)
{
    OpenDialog d({});
    d.settings.mouseThreshold = 30;
    d.settings.timeLimitMinutes = 60;
    d.Open();
    SettingPageWindow& page = d.Tab<SettingPageWindow>(PageKind::Setting);
    HWND any = page.Item(IDC_ANY_EVENT);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_MOUSE_MOVE)));
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_KEY_TEXT)));
    EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_MOUSE_THRESHOLD)));
    SendMessageA(any, BM_CLICK, 0, 0);
    for (int id : kCloseEventControls)
        EXPECT_TRUE(IsWindowEnabled(page.Item(id))) << id;

    HWND monitors = page.Item(IDC_MONITOR);
    const int entries = static_cast<int>(SendMessageA(monitors, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(entries, GetSystemMetrics(SM_CMONITORS) + 1);
    char first[64] = {};
    SendMessageA(monitors, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, "0 : Entire virtual screen");
    EXPECT_EQ(SendMessageA(monitors, CB_GETCURSEL, 0, 0), 1);

    SetWindowTextA(page.Item(IDC_KEY_TEXT), "ab");
    SendMessageA(page.Item(IDC_MUTE), BM_CLICK, 0, 0);
    // The spin wraps from 60 up to 1.
    SendMessageA(page.Item(IDC_MINUTES_TEXT), WM_KEYDOWN, VK_UP, 0);
    page.ApplySettings();
    EXPECT_EQ(d.settings.anyEvent, 0);
    EXPECT_EQ(d.settings.keyValue, 'a');
    EXPECT_EQ(d.settings.playSounds, 0);
    EXPECT_EQ(d.settings.mouseThreshold, 30);
    EXPECT_EQ(d.settings.timeLimitMinutes, 1);
    EXPECT_EQ(d.settings.monitor, 1);

    // A box left holding no number keeps the last minutes the spin held.
    SendMessageA(page.Item(IDC_MINUTES_SPIN), UDM_SETPOS, 0, MAKELPARAM(17, 0));
    SetWindowTextA(page.Item(IDC_MINUTES_TEXT), "soon");
    page.ApplySettings();
    EXPECT_EQ(d.settings.timeLimitMinutes, 17);
}

TEST(ConfigDialog, TransitionsListChecksAndScrolls)
{
    OpenDialog d({P::kTransitionsPage});
    d.settings.transitionList = "3;5;";
    d.settings.transitionSpeed = 150;
    d.Open();
    TransitionsPageWindow& page = d.Tab<TransitionsPageWindow>(PageKind::Transitions);
    CheckList& list = page.List();
    ASSERT_EQ(list.GetCount(), kEffectCount);
    EXPECT_EQ(list.Model().ItemAt(162)->text, "Fade through black");
    EXPECT_EQ(list.Model().ItemAt(45)->text, "Fan wipe");
    EXPECT_EQ(list.GetCheck(3), 1);
    EXPECT_EQ(list.GetCheck(4), 0);
    EXPECT_EQ(list.GetCheck(5), 1);
    HWND inner = list.Control().Handle();
    EXPECT_EQ(GetDlgCtrlID(inner), IDC_EFFECT_LIST + 1);
    EXPECT_TRUE(GetWindowLongA(inner, GWL_STYLE) & WS_VSCROLL);
    EXPECT_LT(list.Control().RowsFit(), kEffectCount);
    EXPECT_GE(list.Model().ItemHeight(), 18);

    // Clicking a row's text selects it; clicking its box toggles it.
    const int rowY = CheckListModel::kTopMargin + list.Model().ItemHeight() / 2;
    SendMessageA(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, rowY));
    EXPECT_TRUE(list.Model().ItemAt(0)->selected);
    EXPECT_EQ(list.GetCheck(0), 0);
    SendMessageA(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, rowY));
    EXPECT_EQ(list.GetCheck(0), 1);
    SendMessageA(inner, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(list.Control().FirstVisibleRow(), list.Control().RowsFit() - 1);
    SendMessageA(inner, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.Control().FirstVisibleRow(), kEffectCount - list.Control().RowsFit());

    page.Save();
    EXPECT_EQ(d.settings.transitionList, "0;3;5;");
    EXPECT_EQ(d.settings.transitionSpeed, 100) << "the speed control keeps 0 to 100";
    SendMessageA(page.Item(IDC_CLEAR_ALL), BM_CLICK, 0, 0);
    page.Save();
    EXPECT_EQ(d.settings.transitionList, "");
    SendMessageA(page.Item(IDC_SELECT_ALL), BM_CLICK, 0, 0);
    page.Save();
    EXPECT_EQ(d.settings.transitionList, UserSettings::AllEffects());
}

TEST(ConfigDialog, SaveWritesTheStoreAndCancelDoesNot)
{
    OpenDialog d({P::kTransitionsPage});
    RegDeleteKeyA(HKEY_CURRENT_USER, d.settings.registryKey.c_str());
    d.Open();
    SettingPageWindow& page = d.Tab<SettingPageWindow>(PageKind::Setting);
    SendMessageA(page.Item(IDC_MUTE), BM_CLICK, 0, 0);
    SendMessageA(d.dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    UserSettings stored;
    stored.SetKey("Dialog Test.kdp");
    stored.Load();
    EXPECT_EQ(stored.playSounds, 1) << "Cancel wrote nothing";

    SendMessageA(d.dialog.Handle(), WM_COMMAND, ID_FILE_SAVE, 0);
    stored.Load();
    EXPECT_EQ(stored.playSounds, 0);
    EXPECT_EQ(stored.transitionList, UserSettings::AllEffects());
    RegDeleteKeyA(HKEY_CURRENT_USER, d.settings.registryKey.c_str());
}

TEST(ConfigDialog, PublisherLinksAndAboutBox)
{
    OpenDialog d({P::kPublisherPage}, "https://example.org/a-long-way/to/the/home/page/of/the/author/");
    d.Open();
    PublisherPageWindow& page = d.Tab<PublisherPageWindow>(PageKind::Publisher);
    LinkLabel& home = page.HomePageLink();
    ASSERT_NE(home.Handle(), nullptr);
    EXPECT_EQ(GetDlgCtrlID(home.Handle()), IDC_HOME_PAGE_LINK);
    EXPECT_EQ(WindowText(page.Item(IDC_PUBLISHER_AUTHOR)), "Ann");
    EXPECT_EQ(WindowText(page.Item(IDC_PUBLISHER_DESCRIPTION)), "One\r\nTwo");
    EXPECT_EQ(home.TextColour(), 0x323232u);
    SendMessageA(home.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(home.Hovering());
    EXPECT_EQ(home.TextColour(), 0xFF0000u);
    SendMessageA(home.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(home.TextColour(), 0x323232u);

    // A link longer than its place grows to its text's width when it first paints.
    SendMessageA(home.Handle(), WM_PAINT, 0, 0);
    RECT r;
    GetClientRect(home.Handle(), &r);
    EXPECT_GT(r.right, 320 - 110);

    AboutBox about;
    about.SetSettings(&d.settings, &d.project);
    ASSERT_TRUE(about.Create(nullptr));
    EXPECT_EQ(WindowText(about.Handle()), "About Dialog Test.kdp");
    EXPECT_EQ(WindowText(about.Item(IDC_ABOUT_VERSION)), "2.5");
    EXPECT_EQ(WindowText(about.Item(IDC_ABOUT_MEMORY)), MemoryText(TotalPhysicalMemory()));
    EXPECT_GT(TotalPhysicalMemory(), 0u);
}
