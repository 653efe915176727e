#include "gfx/ComPicture.h"
#include "codecs/SystemDecoder.h"

// Linux has no system picture decoder: BMP, JPEG and GIF are decoded here at the screen's 96 DPI.
int CComPicture::LoadFromIStream(const uint8_t* data, size_t size)
{
    DecodedImage image;
    if (!DecodeWithSystemDecoder(data, size, image, 96))
        return 0;
    return AdoptDecoded(std::move(image)) ? 1 : 0;
}
