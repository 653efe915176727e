// The image decoder library: decodes a file into a memory device context holding a 32-bit DIB section
// of the image, which the caller copies and hands back to eFreeImage.
#include <windows.h>

#include <cstring>

#include "codecs/BuiltinExpic.h"

namespace {

// The last image handed out and not yet freed, for eGetImageDC.
HDC g_lastImage = nullptr;

HDC ToImageDC(DecodedImage* image, int* width, int* height)
{
    if (!image)
        return nullptr;
    HDC dc = nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        std::memcpy(bits, image->pixels.data(), image->pixels.size() * sizeof(uint32_t));
        dc = CreateCompatibleDC(nullptr);
        if (dc) {
            SelectObject(dc, bitmap);
            if (width)
                *width = image->width;
            if (height)
                *height = image->height;
            g_lastImage = dc;
        } else {
            DeleteObject(bitmap);
        }
    } else if (bitmap) {
        DeleteObject(bitmap);
    }
    BuiltinFreeImage(image);
    return dc;
}

} // namespace

// The exports keep the names the runtime looks them up by.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {

HDC WINAPI eLoadImageFilefromFile(const char* path, int* width, int* height)
{
    int w = 0, h = 0;
    return ToImageDC(BuiltinLoadImageFromFile(path, &w, &h), width, height);
}

HDC WINAPI eLoadImageFilefromStream(const char* path, int length, int* width, int* height, int formatCode)
{
    int w = 0, h = 0;
    return ToImageDC(BuiltinLoadImageFromStream(path, length, &w, &h, formatCode), width, height);
}

void WINAPI eFreeImage(HDC image)
{
    if (!image)
        return;
    // Deleting the device context deselects the bitmap, which can then go too.
    HGDIOBJ bitmap = GetCurrentObject(image, OBJ_BITMAP);
    DeleteDC(image);
    if (bitmap)
        DeleteObject(bitmap);
    if (g_lastImage == image)
        g_lastImage = nullptr;
}

HDC WINAPI eGetImageDC()
{
    return g_lastImage;
}

} // extern "C"
// NOLINTEND(readability-identifier-naming)
