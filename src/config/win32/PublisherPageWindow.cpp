#include "config/win32/PublisherPageWindow.h"

#include "config/ConfigIds.h"

namespace {
// The links' colour when the mouse is not over them.
const COLORREF kLinkColour = 0x323232;
} // namespace

PublisherPageWindow::PublisherPageWindow() : ConfigPage(IDD_TAB_PUBLISHER)
{
}

BOOL PublisherPageWindow::OnInitDialog()
{
    if (project_)
        texts_ = MakePublisherTexts(*project_);
    homePage_.SetNormalColour(kLinkColour);
    homePage_.SetLinkKind(LinkLabel::kWeb);
    homePage_.SetTarget(texts_.website);
    homePage_.SetBitmapFlag(false);
    homePage_.Create(texts_.website, WS_CHILD | WS_VISIBLE | SS_NOTIFY, RECT{110, 42, 320, 57}, Handle(),
                     IDC_HOME_PAGE_LINK);
    email_.SetNormalColour(kLinkColour);
    email_.SetLinkKind(LinkLabel::kMail);
    email_.SetTarget(texts_.emailTarget);
    email_.SetBitmapFlag(false);
    email_.Create(texts_.email, WS_CHILD | WS_VISIBLE | SS_NOTIFY, RECT{110, 72, 330, 87}, Handle(), IDC_EMAIL_LINK);
    SetItemText(IDC_PUBLISHER_AUTHOR, texts_.author);
    SetItemText(IDC_PUBLISHER_DESCRIPTION, texts_.description);
    return TRUE;
}

bool PublisherPageWindow::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&)
{
    if (message == WM_SIZE)
        StretchToPage(IDC_PUBLISHER_DESCRIPTION);
    return false;
}
