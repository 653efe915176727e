#include "codecs/ExtendedLibrary.h"

#include "codecs/BuiltinExpic.h"

// No external decoder library exists here: the built-in decoder answers every call.
ExtendedDecodeResult ExtendedDecodeFile(const std::string& path, DecodedImage& image)
{
    return BuiltinDecodeFile(path, image);
}

ExtendedDecodeResult ExtendedDecodeTempFile(const std::string& tempPath, uint32_t length, int formatCode,
                                            DecodedImage& image)
{
    return BuiltinDecodeTempFile(tempPath, length, formatCode, image);
}
