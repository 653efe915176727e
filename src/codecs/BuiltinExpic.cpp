#include "codecs/BuiltinExpic.h"

#include <climits>
#include <fstream>
#include <new>
#include <utility>

#include "codecs/ExtendedDecoder.h"
#include "codecs/ImageFormat.h"

namespace {

DecodedImage* DecodeBytes(const std::vector<uint8_t>& bytes, int formatCode, int* width, int* height)
{
    auto* image = new (std::nothrow) DecodedImage;
    if (!image)
        return nullptr;
    if (!DecodeExtended(bytes.data(), bytes.size(), formatCode, *image)) {
        delete image;
        return nullptr;
    }
    if (width)
        *width = image->width;
    if (height)
        *height = image->height;
    return image;
}

} // namespace

bool ReadImageFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    return ReadImageStream(in, limit, bytes);
}

bool ReadImageStream(std::istream& in, uint64_t limit, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff end = in.tellg();
    if (end <= 0 || static_cast<uint64_t>(end) > kMaxEncodedImageBytes)
        return false;
    uint64_t count = static_cast<uint64_t>(end) < limit ? static_cast<uint64_t>(end) : limit;
    if (count == 0)
        return false;
    in.seekg(0, std::ios::beg);
    try {
        bytes.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    }
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    if (static_cast<uint64_t>(in.gcount()) != count) {
        bytes.clear();
        return false;
    }
    return true;
}

DecodedImage* BuiltinLoadImageFromFile(const char* path, int* width, int* height)
{
    std::vector<uint8_t> bytes;
    if (!path || !ReadImageFile(path, kMaxEncodedImageBytes, bytes))
        return nullptr;
    return DecodeBytes(bytes, kFormatUnknown, width, height);
}

DecodedImage* BuiltinLoadImageFromStream(const char* path, int length, int* width, int* height, int formatCode)
{
    std::vector<uint8_t> bytes;
    // A copy shorter than the stream's length is not the stream's image.
    if (!path || length <= 0 || !ReadImageFile(path, static_cast<uint64_t>(length), bytes) ||
        bytes.size() != static_cast<size_t>(length))
        return nullptr;
    return DecodeBytes(bytes, formatCode, width, height);
}

void BuiltinFreeImage(DecodedImage* image)
{
    delete image;
}

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

ExtendedDecodeResult BuiltinDecodeFile(const std::string& path, DecodedImage& image)
{
    int width = 0, height = 0;
    return Take(BuiltinLoadImageFromFile(path.c_str(), &width, &height), image);
}

ExtendedDecodeResult BuiltinDecodeBytes(const uint8_t* data, size_t size, int formatCode, DecodedImage& image)
{
    ExtendedDecodeResult result;
    image = DecodedImage{};
    result.ok = data && size > 0 && DecodeExtended(data, size, formatCode, image) && !image.Empty();
    if (!result.ok)
        image = DecodedImage{};
    return result;
}
