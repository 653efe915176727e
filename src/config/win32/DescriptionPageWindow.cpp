#include "config/win32/DescriptionPageWindow.h"

#include "config/ConfigIds.h"
#include "config/PageTexts.h"

DescriptionPageWindow::DescriptionPageWindow() : ConfigPage(IDD_TAB_DESCRIPTION)
{
}

BOOL DescriptionPageWindow::OnInitDialog()
{
    if (project_)
        SetItemText(IDC_DESCRIPTION, DescriptionPageText(*project_));
    return TRUE;
}

bool DescriptionPageWindow::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&)
{
    if (message == WM_SIZE)
        StretchToPage(IDC_DESCRIPTION);
    return false;
}
