// JPEG through libjpeg with the decoder's own error handling.
#include "codecs/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    DecodeJpeg(data, size, image, 1u << 20);
    return 0;
}
