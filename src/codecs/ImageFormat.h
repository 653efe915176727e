#pragma once
#include <string>

// Image format codes, chosen from a file name: codes 1, 2 and 11 go to the system picture decoder,
// every other code (unknown names included) to the extended decoder.
enum ImageFormatCode : int {
    kFormatUnknown = -1,
    kFormatBmp = 1,
    kFormatJpeg = 2,
    kFormatSgi = 3,
    kFormatCel = 4,
    kFormatTiff = 5,
    kFormatTga = 6,
    kFormatPcx = 7,
    kFormatPcd = 8,
    kFormatPnm = 9,
    kFormatCut = 10,
    kFormatGif = 11,
    kFormatRla = 12,
    kFormatPsd = 13,
    kFormatPsp = 14,
    kFormatPng = 15,
};

// The first extension of the fixed table (in table order) that occurs anywhere in the lower-cased name
// at a position after the first character; -1 when none does.
int ClassifyImageFile(const std::string& name);

// True for the formats the system picture decoder reads (BMP/DIB, JPEG, GIF).
inline bool IsSystemDecoderFormat(int code)
{
    return code == kFormatBmp || code == kFormatJpeg || code == kFormatGif;
}
