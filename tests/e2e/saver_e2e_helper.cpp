// Helper of the screensaver window's whole-program test under Wine: attaches a project with media items to
// a copy of the program, and runs the program in a preview area of its own.
#include "db/DatabaseWriter.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void PutI32(std::string& record, size_t offset, int32_t value)
{
    std::memcpy(&record[offset], &value, 4);
}

std::string Item(int32_t type)
{
    std::string data(164, '\0');
    PutI32(data, 104, type);
    return data;
}

// pack IN OUT IMAGE [program|stills]: four items (image, image, video, image) whose pictures are IMAGE,
// display time 1 s, media in the database; "stills" leaves the video out (a video item puts the cursor in the
// corner, which a test of mouse movement must not meet).
int Pack(const char* in, const char* out, const char* image, bool runAsProgram, bool stills)
{
    std::string options(80, '\0');
    PutI32(options, 8, runAsProgram ? 1 : 0);
    PutI32(options, 24, 1);
    options[58] = 1;
    TableContent project("project", {"data", "projectname", "appname", "authorname", "version"});
    project.AddRecord({options, "Saver E2E.kdp", "Saver E2E", "Tester", "1.0"});
    TableContent setting("setting", {"data", "filename", "title", "effect", "bindsound"});
    setting.AddRecord({Item(0), "one.jpg", "One", "0;", ""});
    setting.AddRecord({Item(0), "two.jpg", "Two", "0;", ""});
    if (!stills)
        setting.AddRecord({Item(2), "C:\\clips\\clip.avi", "Clip", "", ""});
    setting.AddRecord({Item(0), "three.jpg", "Three", "0;", ""});
    TableContent media("media", {"name", "media"}, {false, true});
    media.AddRecord({"one.jpg", TableValue::FromFile(image)});
    media.AddRecord({"two.jpg", TableValue::FromFile(image)});
    media.AddRecord({"clip.avi", "RIFF movie bytes"});
    media.AddRecord({"three.jpg", TableValue::FromFile(image)});
    TableContent music("music", {"name", "type", "music"}, {false, false, true});
    std::string error;
    if (!AttachDatabase(in, out, {project, setting, music, media}, &error)) {
        std::fprintf(stderr, "pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

BOOL CALLBACK FirstChild(HWND child, LPARAM found)
{
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

struct ProcessWindow {
    DWORD process;
    HWND found;
};

BOOL CALLBACK VisibleWindowOf(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<ProcessWindow*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != s->process || !IsWindowVisible(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

// The show's window in the preview area: a child of it, or (under Wine, where a process cannot draw into
// another's window) a window of the show's own over it.
HWND ShowWindowIn(HWND parent, DWORD process)
{
    HWND child = nullptr;
    EnumChildWindows(parent, FirstChild, reinterpret_cast<LPARAM>(&child));
    if (child)
        return child;
    ProcessWindow search{process, nullptr};
    EnumWindows(VisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}

// preview SCR [MS]: a 320x240 parent window; runs "SCR /p <handle>"; once a child is there prints where the
// parent's client area is on the screen ("area X Y W H") and keeps the show running MS milliseconds (2000
// unless given) for screenshots; prints whether a child covered the whole client area, then destroys the
// parent and prints whether the program ended by itself.
int Preview(const char* scr, DWORD holdMs)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmPreviewArea";
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND parent = CreateWindowA("QmPreviewArea", "preview area", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 336, 278,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (!parent)
        return 1;
    RECT client;
    GetClientRect(parent, &client);
    char command[MAX_PATH + 64];
    std::snprintf(command, sizeof command, "\"%s\" /p %lu", scr, static_cast<unsigned long>(uintptr_t(parent)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 1;
    HWND child = nullptr;
    for (int i = 0; i < 150 && !child; ++i) {
        Pump(100);
        child = ShowWindowIn(parent, pi.dwProcessId);
    }
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    std::printf("area %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    std::fflush(stdout);
    Pump(holdMs);
    RECT inner{};
    if (child) {
        GetWindowRect(child, &inner);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inner), 2);
    }
    std::printf("child %d rect %ld %ld %ld %ld client %ld %ld\n", child ? 1 : 0, inner.left, inner.top, inner.right,
                inner.bottom, client.right, client.bottom);
    DestroyWindow(parent);
    DWORD waited = WAIT_TIMEOUT;
    for (int i = 0; i < 100 && waited == WAIT_TIMEOUT; ++i) {
        Pump(100);
        waited = WaitForSingleObject(pi.hProcess, 0);
    }
    std::printf("ended %d\n", waited == WAIT_OBJECT_0 ? 1 : 0);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

// move X Y: the mouse to a screen position, as the user would move it.
int Move(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof input) == 1 ? 0 : 1;
}

// key VK: one press and release of a virtual key.
int Key(int vk)
{
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = WORD(vk);
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof inputs[0]) == 2 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "move") == 0)
        return Move(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && std::strcmp(argv[1], "key") == 0)
        return Key(std::atoi(argv[2]));
    if (argc >= 5 && std::strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3], argv[4], argc >= 6 && std::strcmp(argv[5], "program") == 0,
                    argc >= 6 && std::strcmp(argv[5], "stills") == 0);
    if (argc >= 3 && std::strcmp(argv[1], "preview") == 0)
        return Preview(argv[2], argc >= 4 ? DWORD(std::atol(argv[3])) : 2000);
    if (argc >= 2 && std::strcmp(argv[1], "tempdir") == 0) {
        char path[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, path);
        std::printf("%s\n", path);
        return 0;
    }
    std::fprintf(stderr,
                 "usage: saver_e2e_helper pack IN OUT IMAGE [program|stills] | preview SCR [MS] | move X Y | key VK | "
                 "tempdir\n");
    return 2;
}
