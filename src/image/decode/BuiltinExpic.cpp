#include "image/decode/BuiltinExpic.h"

#include <fstream>
#include <new>

#include "image/decode/ExtendedDecoder.h"
#include "image/decode/ImageFormat.h"

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
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
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
    if (!path || length <= 0 || !ReadImageFile(path, static_cast<uint64_t>(length), bytes))
        return nullptr;
    return DecodeBytes(bytes, formatCode, width, height);
}

void BuiltinFreeImage(DecodedImage* image)
{
    delete image;
}
