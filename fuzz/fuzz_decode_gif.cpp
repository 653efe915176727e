// GIF first frames through giflib from memory.
#include "codecs/GifDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    DecodeGif(data, size, image, 1u << 20);
    return 0;
}
