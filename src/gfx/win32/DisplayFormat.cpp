#include <windows.h>

#include "gfx/DeviceBitmap.h"

namespace {

class ScreenDisplay : public IDisplayFormat {
public:
    int BitsPerPixel() override
    {
        HDC screen = GetDC(nullptr);
        int bits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        return bits;
    }
    std::array<uint32_t, 256> SystemPalette() override
    {
        std::array<uint32_t, 256> palette{};
        PALETTEENTRY entries[256] = {};
        HDC screen = GetDC(nullptr);
        UINT n = GetSystemPaletteEntries(screen, 0, 256, entries);
        ReleaseDC(nullptr, screen);
        for (UINT i = 0; i < n && i < 256; ++i)
            palette[i] = (uint32_t(entries[i].peRed) << 16) | (uint32_t(entries[i].peGreen) << 8) | entries[i].peBlue;
        return palette;
    }
    void ShowMessage(const std::string& text) override { MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK); }
};

} // namespace

IDisplayFormat& ScreenDisplayFormat()
{
    static ScreenDisplay display;
    return display;
}
