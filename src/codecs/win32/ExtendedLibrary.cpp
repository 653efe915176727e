#include <windows.h>

#include <cstring>

#include "codecs/BuiltinExpic.h"
#include "codecs/DecodeCommon.h"
#include "codecs/ExtendedLibrary.h"
#include "codecs/win32/ProcAddress.h"
#include "gfx/Picture.h"
#include "gfx/win32/PictureDC.h"
#include "platform/Paths.h"

namespace {

using LoadFromFileProc = HDC(WINAPI*)(const char* path, int* width, int* height);
using LoadFromStreamProc = HDC(WINAPI*)(const char* path, int length, int* width, int* height, int formatCode);
using FreeImageProc = void(WINAPI*)(HDC image);
using GetImageDCProc = HDC(WINAPI*)();

// "Expic.dll" from the system directory, loaded for one image and freed after it.
class ExpicLibrary {
public:
    ExpicLibrary()
    {
        char dir[MAX_PATH + 1] = {};
        UINT n = GetSystemDirectoryA(dir, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return;
        std::string path(dir, n);
        if (path.back() != '\\')
            path += '\\';
        path += "Expic.dll";
        module_ = LoadLibraryA(path.c_str());
        if (!module_)
            return;
        loadFile = ProcAddress<LoadFromFileProc>(module_, "eLoadImageFilefromFile");
        loadStream = ProcAddress<LoadFromStreamProc>(module_, "eLoadImageFilefromStream");
        freeImage = ProcAddress<FreeImageProc>(module_, "eFreeImage");
        getImageDC = ProcAddress<GetImageDCProc>(module_, "eGetImageDC");
    }
    ~ExpicLibrary()
    {
        if (module_)
            FreeLibrary(module_);
    }
    ExpicLibrary(const ExpicLibrary&) = delete;
    ExpicLibrary& operator=(const ExpicLibrary&) = delete;

    // A library without the calls the loaders make is no decoder; the built-in one stands in.
    bool Usable() const { return module_ && loadFile && loadStream && freeImage; }

    LoadFromFileProc loadFile = nullptr;
    LoadFromStreamProc loadStream = nullptr;
    FreeImageProc freeImage = nullptr;
    GetImageDCProc getImageDC = nullptr;

private:
    HMODULE module_ = nullptr;
};

// Copies width × height pixels from the library's image device context. The size is the library's
// word and is checked like any stored size.
bool CopyFromImageDC(HDC source, int width, int height, DecodedImage& image)
{
    if (!ImageSizeAllowed(width, height, kMaxImagePixels))
        return false;
    Picture copy;
    if (!copy.CreateBlank(width, height, 0) || !BitBlt(PictureDC(copy), 0, 0, width, height, source, 0, 0, SRCCOPY))
        return false;
    GdiFlush();
    image = copy.ToDecoded();
    // The library leaves the top bytes zero for opaque pictures and puts the opacity there otherwise.
    for (const uint32_t pixel : image.pixels)
        image.hasAlpha = image.hasAlpha || (pixel >> 24) != 0;
    return !image.Empty();
}

ExtendedDecodeResult FromLibrary(ExpicLibrary& library, HDC handle, int width, int height, DecodedImage& image)
{
    ExtendedDecodeResult result;
    result.viaLibrary = true;
    if (!handle)
        return result;
    result.ok = CopyFromImageDC(handle, width, height, image);
    library.freeImage(handle);
    if (!result.ok)
        image = DecodedImage{};
    return result;
}

// The file one stream is decoded from: a name the system makes unique in the temp folder (the show's own
// when it has one; the system creates the file, so nothing planted there is followed), written through a
// handle no one else may open, removed when the decode is over whatever its outcome.
class DecodeFile {
public:
    DecodeFile()
    {
        const std::string dir = TempDirectory();
        if (dir.empty() || dir.size() > MAX_PATH - 14 || !GetTempFileNameA(dir.c_str(), "img", 0, path_))
            path_[0] = '\0';
    }
    ~DecodeFile()
    {
        if (path_[0])
            DeleteFileA(path_);
    }
    DecodeFile(const DecodeFile&) = delete;
    DecodeFile& operator=(const DecodeFile&) = delete;

    const char* Path() const { return path_; }
    bool Write(const uint8_t* data, size_t size)
    {
        if (!path_[0])
            return false;
        HANDLE h = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        bool ok = true;
        while (ok && size > 0) {
            const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            ok = WriteFile(h, data, chunk, &written, nullptr) && written == chunk;
            data += chunk;
            size -= chunk;
        }
        CloseHandle(h);
        return ok;
    }

private:
    char path_[MAX_PATH + 1] = {};
};

} // namespace

ExtendedDecodeResult ExtendedDecodeFile(const std::string& path, DecodedImage& image)
{
    image = DecodedImage{};
    ExpicLibrary library;
    if (!library.Usable())
        return BuiltinDecodeFile(path, image);
    // The library takes the path in a zero-filled buffer of 261 characters.
    char buffer[MAX_PATH + 1] = {};
    if (path.size() > MAX_PATH)
        return {false, true};
    path.copy(buffer, path.size());
    int width = 0, height = 0;
    HDC handle = library.loadFile(buffer, &width, &height);
    return FromLibrary(library, handle, width, height, image);
}

ExtendedDecodeResult ExtendedDecodeBytes(const uint8_t* data, size_t size, int formatCode, DecodedImage& image)
{
    image = DecodedImage{};
    ExpicLibrary library;
    if (!library.Usable())
        return BuiltinDecodeBytes(data, size, formatCode, image);
    if (!data || size == 0 || size > static_cast<size_t>(INT_MAX))
        return {false, true};
    DecodeFile file;
    if (!file.Write(data, size))
        return {false, true};
    int width = 0, height = 0;
    HDC handle = library.loadStream(file.Path(), static_cast<int>(size), &width, &height, formatCode);
    return FromLibrary(library, handle, width, height, image);
}
