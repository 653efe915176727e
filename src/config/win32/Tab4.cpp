#include "config/win32/Tab4.h"

#include "config/ConfigIds.h"
#include "config/PageTexts.h"

CTab4::CTab4() : ConfigPage(IDD_TAB_DESCRIPTION)
{
}

BOOL CTab4::OnInitDialog()
{
    if (project_)
        SetItemText(IDC_DESCRIPTION, DescriptionPageText(*project_));
    return TRUE;
}

bool CTab4::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&)
{
    if (message == WM_SIZE)
        StretchToPage(IDC_DESCRIPTION);
    return false;
}
