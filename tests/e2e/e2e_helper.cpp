// Helper of the whole-program test of screensaver.scr under Wine: attaches a small project database to a
// copy of the program and answers questions about the Windows side that the shell cannot ask directly.
#include "e2e_project.h"

#include <windows.h>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <tlhelp32.h>
#include <vector>

namespace {
int Usage()
{
    std::fprintf(stderr,
                 "usage: e2e_helper pack IN OUT PROJECTNAME | regvalue | shortpath PATH | sysdir | tempdir | "
                 "close FILENAME | record FILE ARGS...\n");
    return 2;
}

int Pack(const char* in, const char* out, const char* projectName)
{
    std::string data(80, '\0');
    TableContent project = ProjectTableLayout();
    project.AddRecord({data, "E2E", "", "", projectName, "", "Tester", "", "", "", "1.0", "", "", "", ""});
    TableContent runtime("runtimelib", {"name", "libs"}, {false, true});
    runtime.AddRecord({"qm_e2e_lib.dll", "e2e runtime library"});
    runtime.AddRecord({"..\\qm_e2e_evil.dll", "must not escape"});
    runtime.AddRecord({"NUL.dll", "device"});
    // A project must never replace a file of the system.
    runtime.AddRecord({"kernel32.dll", "not a kernel"});
    std::vector<TableContent> tables{project, TableContent("setting", {"data", "filename"}),
                                     TableContent("music", {"name", "type", "music"}, {false, false, true}),
                                     TableContent("media", {"name", "media"}, {false, true}), runtime};
    std::string error;
    if (!AttachDatabase(in, out, tables, &error)) {
        std::fprintf(stderr, "pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

// Prints "type characters" and the text of the screen-saver value as stored, so a terminating zero shows.
// The wide query is used because the narrow one adds a missing terminating zero itself.
int RegValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 1;
    WCHAR buffer[1024];
    DWORD size = sizeof buffer, type = 0;
    LONG result = RegQueryValueExW(key, L"SCRNSAVE.EXE", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return 1;
    DWORD count = size / sizeof(WCHAR);
    std::printf("%lu %lu ", static_cast<unsigned long>(type), static_cast<unsigned long>(count));
    for (DWORD i = 0; i < count; ++i)
        std::printf(buffer[i] >= 32 && buffer[i] < 127 ? "%c" : "<%02x>", static_cast<unsigned>(buffer[i]));
    std::printf("\n");
    return 0;
}

int ShortPath(const char* path)
{
    char buffer[1024];
    DWORD n = GetShortPathNameA(path, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return 1;
    CharUpperBuffA(buffer, n);
    std::printf("%.*s\n", static_cast<int>(n), buffer);
    return 0;
}

struct CloseRequest {
    std::set<DWORD> processes;
    int posted = 0;
};

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM data)
{
    auto* request = reinterpret_cast<CloseRequest*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (request->processes.count(process) && IsWindowVisible(window) && PostMessageA(window, WM_CLOSE, 0, 0))
        ++request->posted;
    return TRUE;
}

// Asks every visible top-level window of the programs with this file name to close, and presses Escape.
int CloseProgram(const char* fileName)
{
    CloseRequest request;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, fileName) == 0)
            request.processes.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    EnumWindows(CloseWindowOf, reinterpret_cast<LPARAM>(&request));
    // A show closes on the user's keys rather than on a close message.
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (!request.processes.empty())
        SendInput(2, keys, sizeof keys[0]);
    std::printf("%d\n", request.posted);
    return request.posted > 0 ? 0 : 1;
}

int Record(int argc, char** argv)
{
    std::FILE* file = std::fopen(argv[2], "w");
    if (!file)
        return 1;
    for (int i = 3; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string command = argv[1];
    char buffer[MAX_PATH];
    if (command == "pack" && argc == 5)
        return Pack(argv[2], argv[3], argv[4]);
    if (command == "regvalue")
        return RegValue();
    if (command == "shortpath" && argc == 3)
        return ShortPath(argv[2]);
    if (command == "sysdir" && GetSystemDirectoryA(buffer, MAX_PATH)) {
        std::printf("%s\n", buffer);
        return 0;
    }
    if (command == "tempdir" && GetTempPathA(MAX_PATH, buffer)) {
        std::printf("%s\n", buffer);
        return 0;
    }
    if (command == "close" && argc == 3)
        return CloseProgram(argv[2]);
    if (command == "record" && argc >= 3)
        return Record(argc, argv);
    return Usage();
}
