#include "app/win32/ScreenCapture.h"

#include <cstdio>
#include <windows.h>

namespace {
// Larger areas than any real desktop are refused rather than allocated.
const int32_t kMaxSide = 32768;
}

bool SaveScreenAreaAsBitmap(int32_t left, int32_t top, int32_t width, int32_t height, const std::string& path)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    if (imageSize / stride != static_cast<DWORD>(height))
        return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as bitmap files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = imageSize;

    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (ok) {
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42; // "BM"
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + imageSize;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ok = file != nullptr;
        if (file) {
            ok = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                 std::fwrite(bits, 1, imageSize, file) == imageSize;
            ok = std::fclose(file) == 0 && ok;
            if (!ok)
                std::remove(path.c_str());
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}
