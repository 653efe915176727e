// Our own decoders for PCX, SGI and Netpbm, each given every input (the first byte picks one).
#include "codecs/PcxDecoder.h"
#include "codecs/PnmDecoder.h"
#include "codecs/SgiDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    DecodedImage image;
    switch (data[0] % 3) {
    case 0: DecodePcx(data + 1, size - 1, image, 1u << 20); break;
    case 1: DecodeSgi(data + 1, size - 1, image, 1u << 20); break;
    default: DecodePnm(data + 1, size - 1, image, 1u << 20); break;
    }
    return 0;
}
