// JPEG through libjpeg with the decoder's own error handling; every picture is decoded in two bands, as large
// ones are, so the band split and the restart-marker resume see hostile data too.
#include "codecs/JpegDecoder.h"
#include "codecs/ScaledJpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const uint64_t bandsAlways = SplitJpegDecodesFrom(0);
    (void)bandsAlways;
    DecodedImage image;
    DecodeJpeg(data, size, image, 1u << 20);
    return 0;
}
