// Windows bitmaps of every depth and compression.
#include "codecs/BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    DecodeBmp(data, size, image, 1u << 20);
    return 0;
}
