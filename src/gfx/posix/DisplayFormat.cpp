#include <cstdio>

#include "gfx/DeviceBitmap.h"

namespace {

// The X display of the native build is always true colour.
class TrueColourDisplay : public IDisplayFormat {
public:
    int BitsPerPixel() override { return 32; }
    std::array<uint32_t, 256> SystemPalette() override
    {
        // 3-3-2 levels, should a caller ask anyway.
        std::array<uint32_t, 256> palette{};
        for (uint32_t i = 0; i < 256; ++i)
            palette[i] = (((i >> 5) * 255 / 7) << 16) | ((((i >> 2) & 7) * 255 / 7) << 8) | ((i & 3) * 255 / 3);
        return palette;
    }
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

} // namespace

IDisplayFormat& ScreenDisplayFormat()
{
    static TrueColourDisplay display;
    return display;
}
