#include "image/decode/ExtendedLibrary.h"

#include <utility>

#include "image/decode/BuiltinExpic.h"

namespace {

ExtendedDecodeResult Take(DecodedImage* handle, DecodedImage& image)
{
    ExtendedDecodeResult result;
    if (!handle)
        return result;
    image = std::move(*handle);
    BuiltinFreeImage(handle);
    result.ok = !image.Empty();
    return result;
}

} // namespace

ExtendedDecodeResult ExtendedDecodeFile(const std::string& path, DecodedImage& image)
{
    int width = 0, height = 0;
    return Take(BuiltinLoadImageFromFile(path.c_str(), &width, &height), image);
}

ExtendedDecodeResult ExtendedDecodeTempFile(const std::string& tempPath, uint32_t length, int formatCode,
                                            DecodedImage& image)
{
    if (length > static_cast<uint32_t>(INT32_MAX))
        return {};
    int width = 0, height = 0;
    return Take(BuiltinLoadImageFromStream(tempPath.c_str(), static_cast<int>(length), &width, &height, formatCode),
                image);
}
