#include "config/win32/SettingsDialog.h"

#include "config/ConfigIds.h"
#include "config/DialogPicture.h"
#include "config/win32/AboutBox.h"
#include "config/win32/DescriptionPageWindow.h"
#include "config/win32/LinkLabel.h"
#include "config/win32/PublisherPageWindow.h"
#include "config/win32/SettingPageWindow.h"
#include "config/win32/TransitionsPageWindow.h"
#include "gfx/win32/PictureDC.h"
#include "model/ProjectInfo.h"
#include "model/TableFields.h"
#include "model/UserSettings.h"

#include <commctrl.h>

namespace {
const char kOwnerProperty[] = "QuillmarkSettingsDialog";

RECT WindowRectOf(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}
} // namespace

SettingsDialog::SettingsDialog() : DialogWindow(IDD_SCREENSAVER_CONFIG)
{
    icon_ = LoadIconA(ResourceModule(), MAKEINTRESOURCEA(128));
}

SettingsDialog::~SettingsDialog()
{
    // The pages' windows go before the objects that handle their messages.
    Destroy();
}

void SettingsDialog::SetSettings(UserSettings* settings, ProjectInfo* project)
{
    settings_ = settings;
    project_ = project;
}

ConfigPage* SettingsDialog::Page(PageKind kind) const
{
    switch (kind) {
    case PageKind::Setting: return tab1_.get();
    case PageKind::Transitions: return tab2_.get();
    case PageKind::Publisher: return tab3_.get();
    case PageKind::Description: return tab4_.get();
    }
    return nullptr;
}

void SettingsDialog::SaveSettings()
{
    if (tab1_)
        tab1_->ApplySettings();
    if (tab2_)
        tab2_->Save();
    if (settings_)
        settings_->Save();
}

BOOL SettingsDialog::OnInitDialog()
{
    HWND dialog = Handle();
    HMENU system = GetSystemMenu(dialog, FALSE);
    char about[128] = {};
    if (system && LoadStringA(ResourceModule(), IDS_ABOUTBOX, about, sizeof about) > 0) {
        AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(system, MF_STRING, IDM_ABOUTBOX, about);
    }
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    SetWindowPos(dialog, nullptr, 0, 0, kDialogWidth, kDialogHeight, SWP_NOZORDER);
    RECT placed = WindowRectOf(dialog);
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (placed.right - placed.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (placed.bottom - placed.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    placed = WindowRectOf(dialog);
    const int width = placed.right - placed.left, height = placed.bottom - placed.top;

    const bool picture = project_ && project_->Options().ShowDialogPicture();
    const RECT cancel = WindowRectOf(Item(IDCANCEL));
    const DialogLayout layout = LayoutDialog(width, height, picture, cancel.right - cancel.left);
    if (picture) {
        const Box& p = layout.pictureBox;
        picture_ = CreateWindowExA(
            0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BLACKFRAME, p.left, p.top, p.Width(), p.Height(),
            dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DIALOG_PICTURE)), ResourceModule(), nullptr);
        if (picture_) {
            // The picture is drawn under the control's frame whenever the control paints.
            SetPropA(picture_, kOwnerProperty, this);
            pictureProcedure_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(picture_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PictureProcedure)));
        }
        if (LoadDialogPicture(*project_, dialogPicture_)) {
            stretchedPicture_.CreateBlank(kPictureWidth, kPictureHeight);
            dialogPicture_.StretchDraw(0, 0, kPictureWidth, kPictureHeight, stretchedPicture_);
        }
    }
    const Box& t = layout.tabBox;
    tabs_ =
        CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_FIXEDWIDTH,
                        t.left, t.top, t.Width(), t.Height(), dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PAGE_TABS)), ResourceModule(), nullptr);
    SetWindowPos(Item(IDOK), nullptr, layout.ok.x, layout.ok.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(Item(IDCANCEL), nullptr, layout.cancel.x, layout.cancel.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    pageList_ = project_ ? ChoosePages(project_->Options()) : std::vector<PageKind>{PageKind::Setting};
    SendMessageA(tabs_, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    for (size_t i = 0; i < pageList_.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(PageTabText(pageList_[i]));
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    // Fixed-width tabs as wide as the control lets them all be seen at once.
    RECT first{};
    if (!pageList_.empty() && SendMessageA(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) {
        const int tabWidth = (t.Width() - 8) / static_cast<int>(pageList_.size());
        if (first.right - first.left > tabWidth)
            SendMessageA(tabs_, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, first.bottom - first.top));
    }
    CreatePages();
    return TRUE;
}

void SettingsDialog::CreatePages()
{
    const RECT tabRect = WindowRectOf(tabs_);
    const Box box = PageBox(tabRect.right - tabRect.left, tabRect.bottom - tabRect.top);
    for (PageKind kind : pageList_) {
        ConfigPage* page = nullptr;
        switch (kind) {
        case PageKind::Setting: page = (tab1_ = std::make_unique<SettingPageWindow>()).get(); break;
        case PageKind::Transitions: page = (tab2_ = std::make_unique<TransitionsPageWindow>()).get(); break;
        case PageKind::Publisher: page = (tab3_ = std::make_unique<PublisherPageWindow>()).get(); break;
        case PageKind::Description: page = (tab4_ = std::make_unique<DescriptionPageWindow>()).get(); break;
        }
        page->SetSettings(settings_, project_);
        if (page->Create(tabs_))
            SetWindowPos(page->Handle(), nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER);
    }
    if (tab1_)
        ShowWindow(tab1_->Handle(), SW_SHOW);
}

void SettingsDialog::ShowSelectedPage()
{
    const auto selected = static_cast<size_t>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
    for (size_t i = 0; i < pageList_.size(); ++i) {
        if (ConfigPage* page = Page(pageList_[i]))
            ShowWindow(page->Handle(), i == selected ? SW_SHOWNORMAL : SW_HIDE);
    }
}

void SettingsDialog::TrimMenu()
{
    HMENU menu = GetMenu(Handle());
    if (!menu || !project_ || menuTrimmed_)
        return;
    menuTrimmed_ = true;
    const MenuPlan plan = PlanMenu(project_->Options());
    // Deleting (not only removing) the popup destroys it: the dialog may be opened many times in a show.
    if (!plan.keepHelp)
        DeleteMenu(menu, 2, MF_BYPOSITION);
    if (!plan.keepVisitWebsite)
        RemoveMenu(menu, ID_VISIT_WEBSITE, MF_BYCOMMAND);
    HMENU action = GetSubMenu(menu, 1);
    if (action && GetMenuItemCount(action) == 0)
        DeleteMenu(menu, 1, MF_BYPOSITION);
    DrawMenuBar(Handle());
}

void SettingsDialog::ShowAbout()
{
    AboutBox about;
    about.SetSettings(settings_, project_);
    about.DoModal(Handle());
}

void SettingsDialog::OnCommand(int id, int code)
{
    switch (id) {
    case IDM_ABOUTBOX: ShowAbout(); break;
    case ID_VISIT_WEBSITE:
        if (project_)
            OpenLink(Handle(), ReadTextField(project_->GetProjectTable(), "authorwebsite"), SW_SHOWNORMAL);
        break;
    case IDC_DIALOG_PICTURE:
        if (code == STN_CLICKED && project_)
            OpenLink(Handle(), project_->GetAuthorWebsite(), SW_SHOW);
        break;
    case ID_FILE_SAVE: SaveSettings(); break;
    case IDOK:
        SaveSettings();
        EndDialog(IDOK);
        break;
    case IDCANCEL: EndDialog(IDCANCEL); break;
    default: break;
    }
}

void SettingsDialog::Paint()
{
    if (!IsIconic(Handle()))
        return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    EndPaint(Handle(), &ps);
}

LRESULT CALLBACK SettingsDialog::PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<SettingsDialog*>(GetPropA(hwnd, kOwnerProperty));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = self->pictureProcedure_;
    if (message == WM_PAINT && self->stretchedPicture_.IsLoaded() && IsWindowVisible(self->Handle())) {
        if (HDC dc = GetDC(hwnd)) {
            PaintPicture(dc, 0, 0, kPictureWidth, kPictureHeight, self->stretchedPicture_, 0, 0);
            ReleaseDC(hwnd, dc);
        }
    } else if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kOwnerProperty);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

bool SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_SHOWWINDOW: TrimMenu(); return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_PAGE_TABS || header->code != static_cast<UINT>(TCN_SELCHANGE))
            return false;
        ShowSelectedPage();
        break;
    }
    case WM_PAINT:
        if (!IsIconic(Handle()))
            return false;
        Paint();
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
            return false;
        ShowAbout();
        break;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); break;
    case WM_DESTROY:
        for (ConfigPage* page : {static_cast<ConfigPage*>(tab1_.get()), static_cast<ConfigPage*>(tab2_.get()),
                                 static_cast<ConfigPage*>(tab3_.get()), static_cast<ConfigPage*>(tab4_.get())}) {
            if (page)
                page->Destroy();
        }
        return false;
    default: return false;
    }
    result = TRUE;
    return true;
}

INT_PTR RunSettingsDialog(UserSettings& settings, ProjectInfo& project, HWND owner)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    SettingsDialog dialog;
    dialog.SetSettings(&settings, &project);
    return dialog.DoModal(owner);
}
