#include "codecs/ExtendedLibrary.h"

#include "codecs/BuiltinExpic.h"

// No external decoder library exists here: the built-in decoder answers every call.
ExtendedDecodeResult ExtendedDecodeFile(const std::string& path, DecodedImage& image)
{
    return BuiltinDecodeFile(path, image);
}

ExtendedDecodeResult ExtendedDecodeBytes(const uint8_t* data, size_t size, int formatCode, DecodedImage& image)
{
    return BuiltinDecodeBytes(data, size, formatCode, image);
}
