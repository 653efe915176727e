#include "config/win32/AboutBox.h"

#include "config/ConfigIds.h"
#include "model/ProjectInfo.h"

namespace {
// The frame behind the icon: grey over white, filled blue.
const RECT kIconFrame{13, 13, 100, 100};
const COLORREF kFrameTopLeft = 0x646464, kFrameBottomRight = 0xFFFFFF, kIconFill = 0xA56E3A;
} // namespace

uint64_t TotalPhysicalMemory()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status))
        return status.ullTotalPhys;
    MEMORYSTATUS old{};
    old.dwLength = sizeof old;
    GlobalMemoryStatus(&old);
    return old.dwTotalPhys;
}

AboutBox::AboutBox() : DialogWindow(IDD_ABOUTBOX)
{
}

void AboutBox::SetSettings(UserSettings* settings, ProjectInfo* project)
{
    settings_ = settings;
    project_ = project;
}

BOOL AboutBox::OnInitDialog()
{
    if (project_)
        texts_ = MakeAboutTexts(*project_, TotalPhysicalMemory());
    else
        texts_.memory = MemoryText(TotalPhysicalMemory());
    SetWindowTextA(Handle(), texts_.caption.c_str());
    SetItemText(IDC_ABOUT_COPYRIGHT, texts_.copyright);
    SetItemText(IDC_ABOUT_MEMORY, texts_.memory);
    SetItemText(IDC_ABOUT_NAME, texts_.projectName);
    SetItemText(IDC_ABOUT_VERSION, texts_.version);
    // The icon sits in the middle of its frame.
    if (HWND icon = Item(IDC_ABOUT_ICON)) {
        RECT r;
        GetWindowRect(icon, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(icon, nullptr, (kIconFrame.left + kIconFrame.right - w) / 2,
                     (kIconFrame.top + kIconFrame.bottom - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    iconBackground_ = CreateSolidBrush(kIconFill);
    return TRUE;
}

bool AboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Draw3dRect(dc, kIconFrame, kFrameTopLeft, kFrameBottomRight);
        RECT inside = kIconFrame;
        InflateRect(&inside, -1, -1);
        FillRect(dc, &inside, iconBackground_);
        EndPaint(Handle(), &ps);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
        // The icon is drawn on the frame's fill rather than on the dialog's grey.
        if (reinterpret_cast<HWND>(lParam) != Item(IDC_ABOUT_ICON))
            return false;
        SetBkColor(reinterpret_cast<HDC>(wParam), kIconFill);
        result = reinterpret_cast<INT_PTR>(iconBackground_);
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
            return false;
        EndDialog(LOWORD(wParam));
        result = TRUE;
        return true;
    case WM_DESTROY:
        if (iconBackground_)
            DeleteObject(iconBackground_);
        iconBackground_ = nullptr;
        return false;
    default: return false;
    }
}
