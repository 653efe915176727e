// The built-in extended decoder: the first byte picks the format code the name would give.
#include "codecs/ExtendedDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const int kCodes[] = {-1, 3, 6, 7, 9, 13, 15};
    int code = kCodes[data[0] % (sizeof kCodes / sizeof kCodes[0])];
    DecodedImage image;
    DecodeExtended(data + 1, size - 1, code, image, 1u << 20);
    return 0;
}
