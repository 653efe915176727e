#pragma once
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class Picture;

// What DeviceBitmap needs to know of the display: its pixel format, its palette when it has one, and a way to
// ask the user for another display mode.
class IDisplayFormat {
public:
    virtual ~IDisplayFormat() = default;
    virtual int BitsPerPixel() = 0;
    // The 256 system palette entries as 0x00RRGGBB (meaningful on 8-bit displays only).
    virtual std::array<uint32_t, 256> SystemPalette() = 0;
    virtual void ShowMessage(const std::string& text) = 0;
};

// The screen of this machine (platform part).
IDisplayFormat& ScreenDisplayFormat();

// Shown when the display has fewer than 8 bits per pixel: no snapshot can be taken.
inline constexpr const char* kDisplayModeMessage = " Please Change your display mode.Thank you!";

// Bytes per row of display-format bits: rows padded to 16 bits.
int DdbStride(int width, int bitsPerPixel);
// Bytes per row of a .bmp file with the given bit count (8 or 24): rows padded to 32 bits.
int BitmapFileRowSize(int width, int outputBits);

// A picture's pixels converted to the display's own format, as a device-dependent bitmap holds them:
// 32 bits BGRX, 24 bits BGR, 16 bits 5-6-5, 8 bits nearest system palette index. Rows top first,
// DdbStride bytes each, padding zero. Empty for any other bit count.
std::vector<uint8_t> ToDisplayBits(const Picture& picture, int bitsPerPixel, const std::array<uint32_t, 256>& palette);

// A copy of a picture's bits in the display's pixel format, and the .bmp file made from it.
class DeviceBitmap {
public:
    DeviceBitmap(const Picture& picture, IDisplayFormat& display);
    virtual ~DeviceBitmap();
    DeviceBitmap(const DeviceBitmap&) = delete;
    DeviceBitmap& operator=(const DeviceBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    int Stride() const { return stride_; }
    bool HasBits() const { return !bits_.empty(); }
    const std::vector<uint8_t>& Bits() const { return bits_; }

    // Writes a complete .bmp file of the area (8 bits with the system palette on 8-bit displays, else
    // 24 bits). Headers only when no bits were captured or the display format is not one of 8, 16, 24
    // and 32 bits. False when the area lies outside the bitmap (nothing written), when only headers
    // could be written, or when the stream fails.
    bool WriteBitmapFile(std::ostream& out, int x, int y, int width, int height) const;

private:
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int stride_ = 0;
    std::array<uint32_t, 256> palette_{};
    std::vector<uint8_t> bits_;
};
