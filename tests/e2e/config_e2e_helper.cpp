// Helper of the settings dialog's whole-program test under Wine: attaches projects to copies of the
// program and drives the dialog of another process with window messages, as a user's clicks would.
// A copy under another name (a program a link may open) leaves "<its path>.ran" with its arguments.
#include "e2e_project.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

// A small red bitmap file's bytes: the dialog picture.
std::string RedBitmap(int w, int h)
{
    const int row = (w * 3 + 3) & ~3;
    std::string bmp(54 + row * h, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            bmp[at + i] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, static_cast<uint32_t>(bmp.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, w, 4);
    put(22, h, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp[54 + y * row + x * 3 + 2] = static_cast<char>(0xFF);
    return bmp;
}

// pack IN OUT NAME FLAGS WEBSITE: FLAGS are the option offsets to set, comma-separated ("-" for none).
int Pack(const char* in, const char* out, const char* name, const char* flags, const char* website)
{
    std::string options(80, '\0');
    std::istringstream list(flags);
    for (std::string offset; std::getline(list, offset, ',');) {
        if (offset != "-")
            options.at(static_cast<size_t>(std::atoi(offset.c_str()))) = 1;
    }
    TableContent project = ProjectTableLayout();
    project.AddRecord({options, "Config E2E", "", "", name, "C:\\art\\banner.bmp", "Tester", website,
                       "tester@example.org", "", "1.0", "", "Made for the test", "", RedBitmap(40, 100)});
    std::string error;
    if (!AttachDatabase(in, out, {project, TableContent("setting", {"data", "filename"})}, &error)) {
        std::fprintf(stderr, "pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

HWND Handle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(text, nullptr, 10)));
}

// dialog: waits for the settings dialog to be shown and prints its handle.
int Dialog()
{
    for (int i = 0; i < 150; ++i) {
        HWND dialog = FindWindowA(nullptr, "Screensaver Settings");
        if (dialog && IsWindowVisible(dialog)) {
            std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(dialog)));
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

struct Search {
    int id;
    HWND found;
};
BOOL CALLBACK MatchId(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) != search->id)
        return TRUE;
    search->found = child;
    return FALSE;
}
// The dialog's descendant with this control id.
HWND Control(HWND dialog, int id)
{
    Search search{id, nullptr};
    EnumChildWindows(dialog, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// tabs DIALOG: the tab texts, read through memory in the dialog's process.
int Tabs(HWND dialog)
{
    HWND tabs = Control(dialog, 3317);
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!tabs || !process)
        return 1;
    const SIZE_T textSize = 64;
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TCITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    std::string texts;
    for (int i = 0; i < count; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = remote + sizeof(TCITEMA);
        item.cchTextMax = textSize;
        char text[textSize] = {};
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(TCITEMA), text, textSize - 1, nullptr);
        texts += std::string(texts.empty() ? "" : ",") + text;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    std::printf("%s\n", texts.c_str());
    return 0;
}

// next DIALOG: the next tab, as the arrow key chooses it.
int NextTab(HWND dialog)
{
    HWND tabs = Control(dialog, 3317);
    SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    return tabs ? 0 : 1;
}

// style DIALOG ID: 1 when the control shows a vertical scroll bar, then 1 when it is visible.
int Style(HWND dialog, int id)
{
    HWND control = Control(dialog, id);
    if (!control)
        return 1;
    std::printf("%d %d\n", (GetWindowLongA(control, GWL_STYLE) & WS_VSCROLL) ? 1 : 0, IsWindowVisible(control) ? 1 : 0);
    return 0;
}

// rect DIALOG ID: the control's place on the screen.
int Rect(HWND dialog, int id)
{
    RECT r;
    HWND control = Control(dialog, id);
    if (!control || !GetWindowRect(control, &r))
        return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

BOOL CALLBACK FindShow(HWND window, LPARAM data)
{
    char name[64] = {}, title[64] = {};
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::strcmp(name, "#32770") != 0 || title[0] != '\0')
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// show COMMAND: posts a command of the show's popup menu to the running show's window, and prints it.
int Show(int command)
{
    HWND show = nullptr;
    for (int i = 0; i < 150 && !show; ++i, Sleep(show ? 0 : 100))
        EnumWindows(FindShow, reinterpret_cast<LPARAM>(&show));
    if (!show || !PostMessageA(show, WM_COMMAND, command, 0))
        return 1;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(show)));
    return 0;
}

// Run as what a link opened: "<its path>.ran" records the arguments it was given.
int RecordRun(int argc, char** argv)
{
    std::FILE* file = std::fopen((std::string(argv[0]) + ".ran").c_str(), "w");
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "pack" && argc == 7)
        return Pack(argv[2], argv[3], argv[4], argv[5], argv[6]);
    if (command == "dialog")
        return Dialog();
    if (command == "tabs" && argc == 3)
        return Tabs(Handle(argv[2]));
    if (command == "next" && argc == 3)
        return NextTab(Handle(argv[2]));
    if (command == "style" && argc == 4)
        return Style(Handle(argv[2]), std::atoi(argv[3]));
    if (command == "rect" && argc == 4)
        return Rect(Handle(argv[2]), std::atoi(argv[3]));
    // click DIALOG ID: a click on a button; link DIALOG ID: a click on a link label.
    if ((command == "click" || command == "link") && argc == 4) {
        HWND control = Control(Handle(argv[2]), std::atoi(argv[3]));
        if (command == "click")
            return control && PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
        return control && PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2)) ? 0 : 1;
    }
    // command DIALOG ID [CODE]: a menu command or a control's notification to the dialog.
    if (command == "command" && argc >= 4) {
        const int code = argc >= 5 ? std::atoi(argv[4]) : 0;
        return PostMessageA(Handle(argv[2]), WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), code), 0) ? 0 : 1;
    }
    if (command == "show" && argc == 3)
        return Show(std::atoi(argv[2]));
    // owner DIALOG: the window that owns the dialog.
    if (command == "owner" && argc == 3) {
        std::printf("%lu\n",
                    static_cast<unsigned long>(reinterpret_cast<uintptr_t>(GetWindow(Handle(argv[2]), GW_OWNER))));
        return 0;
    }
    // Copies under another name stand for what a link may open.
    if (!std::strstr(argv[0], "config_e2e_helper"))
        return RecordRun(argc, argv);
    std::fprintf(stderr,
                 "usage: config_e2e_helper pack IN OUT NAME FLAGS WEBSITE | dialog | tabs D | next D | "
                 "style D ID | rect D ID | click D ID | link D ID | command D ID [CODE] | show COMMAND | "
                 "owner D\n");
    return 2;
}
