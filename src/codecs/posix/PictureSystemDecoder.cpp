#include "codecs/PictureLoad.h"
#include "codecs/SystemDecoder.h"
#include "gfx/Picture.h"

// Linux has no system picture decoder: BMP, JPEG and GIF are decoded here at the screen's 96 DPI.
int LoadFromIStream(Picture& target, const uint8_t* data, size_t size)
{
    DecodedImage image;
    if (!DecodeWithSystemDecoder(data, size, image, 96))
        return 0;
    return target.AdoptDecoded(std::move(image)) ? 1 : 0;
}
