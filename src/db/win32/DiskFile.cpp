#include "db/DiskFile.h"

#include <windows.h>

#include <string>

namespace {
HANDLE H(void* handle)
{
    return static_cast<HANDLE>(handle);
}

bool g_utf8Names = false;

// A UTF-8 name in UTF-16, for the wide file calls.
std::wstring Wide(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

HANDLE CreateNamed(const std::string& path, DWORD access, DWORD disposition)
{
    if (g_utf8Names)
        return CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD AttributesOf(const std::string& path)
{
    return g_utf8Names ? GetFileAttributesW(Wide(path).c_str()) : GetFileAttributesA(path.c_str());
}

bool DeleteNamed(const std::string& path)
{
    return (g_utf8Names ? DeleteFileW(Wide(path).c_str()) : DeleteFileA(path.c_str())) != 0;
}

bool MoveNamed(const std::string& from, const std::string& to, DWORD flags)
{
    if (g_utf8Names)
        return flags ? MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), flags) != 0
                     : MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != 0;
    return flags ? MoveFileExA(from.c_str(), to.c_str(), flags) != 0 : MoveFileA(from.c_str(), to.c_str()) != 0;
}
} // namespace

void DiskFile::UseUtf8Names(bool utf8)
{
    g_utf8Names = utf8;
}

DiskFile::~DiskFile()
{
    Close();
}

bool DiskFile::Open(const std::string& path, unsigned flags)
{
    Close();
    DWORD access = 0;
    if (flags & kModeRead)
        access |= GENERIC_READ;
    if (flags & kModeWrite)
        access |= GENERIC_WRITE;
    if (!access)
        access = GENERIC_READ;
    DWORD disposition = ((flags & kModeWrite) && (flags & kModeCreate)) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateNamed(path, access, disposition);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    handle_ = h;
    position_ = 0;
    return true;
}

void DiskFile::Close()
{
    if (handle_)
        CloseHandle(H(handle_));
    handle_ = nullptr;
    position_ = 0;
}

bool DiskFile::IsOpen() const
{
    return handle_ != nullptr;
}

// Positions go through both halves of SetFilePointer, so files past 2 GiB are read correctly (and the
// call exists on every Windows version the program runs on).
static bool MoveTo(HANDLE h, std::uint64_t position)
{
    LONG high = static_cast<LONG>(position >> 32);
    DWORD low = SetFilePointer(h, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

std::size_t DiskFile::ReadOnce(void* buffer, std::size_t count)
{
    if (!handle_ || !MoveTo(H(handle_), position_))
        return 0;
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!ReadFile(H(handle_), static_cast<char*>(buffer) + done, static_cast<DWORD>(count - done), &got, nullptr) ||
            got == 0)
            break;
        done += got;
    }
    position_ += done;
    return done;
}

bool DiskFile::WriteOnce(const void* data, std::size_t count)
{
    if (!handle_ || !MoveTo(H(handle_), position_))
        return false;
    std::size_t done = 0;
    while (done < count) {
        DWORD put = 0;
        if (!WriteFile(H(handle_), static_cast<const char*>(data) + done, static_cast<DWORD>(count - done), &put,
                       nullptr) ||
            put == 0)
            break;
        done += put;
    }
    position_ += done;
    return done == count;
}

bool DiskFile::Seek(std::uint64_t position)
{
    if (!handle_ || position > 0x7FFFFFFFFFFFFFFFull)
        return false;
    position_ = position;
    return true;
}

std::uint64_t DiskFile::GetLength() const
{
    if (!handle_)
        return 0;
    DWORD high = 0;
    DWORD low = GetFileSize(H(handle_), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return 0;
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool DiskFile::SetLength(std::uint64_t length)
{
    return handle_ && MoveTo(H(handle_), length) && SetEndOfFile(H(handle_));
}

bool DiskFile::Exists(const std::string& path)
{
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DiskFile::Remove(const std::string& path)
{
    return DeleteNamed(path);
}

bool DiskFile::Replace(const std::string& from, const std::string& to)
{
    if (MoveNamed(from, to, MOVEFILE_REPLACE_EXISTING))
        return true;
    // The Windows 9x family has no MoveFileEx, and elsewhere it fails while another program holds the new
    // file open. Set the old file aside rather than deleting it, so that a move that still fails can put
    // it back: the caller removes the new file after a failure, and nothing may be lost then.
    if (!Exists(to))
        return MoveNamed(from, to, 0);
    const std::string aside = to + ".old_";
    DeleteNamed(aside);
    if (!MoveNamed(to, aside, 0))
        return false;
    if (MoveNamed(from, to, 0)) {
        DeleteNamed(aside);
        return true;
    }
    MoveNamed(aside, to, 0);
    return false;
}

std::int64_t DiskFile::SizeOf(const std::string& path)
{
    DiskFile file;
    if (!file.Open(path, kModeRead))
        return -1;
    return static_cast<std::int64_t>(file.GetLength());
}
