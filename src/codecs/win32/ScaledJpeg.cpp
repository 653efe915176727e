#include "codecs/ScaledJpeg.h"

// The system picture decoder of Windows has no reduced scales: pictures load at their own size.
bool ReadScalableJpegSize(const uint8_t*, size_t, int&, int&)
{
    return false;
}

bool DecodeJpegAtScale(const uint8_t*, size_t, int, Picture& picture)
{
    picture.Free();
    return false;
}

uint64_t SplitJpegDecodesFrom(uint64_t)
{
    return 0;
}
