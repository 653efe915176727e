#include <vector>

#include "codecs/BuiltinExpic.h"
#include "codecs/ExtendedLibrary.h"
#include "codecs/ImageFormat.h"
#include "codecs/PictureLoad.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"

namespace {

// The external library takes paths in a buffer of 261 characters.
constexpr size_t kLibraryPathChars = 261;

int AdoptResult(Picture& picture, const ExtendedDecodeResult& result, DecodedImage& image)
{
    return result.ok && picture.AdoptDecoded(std::move(image)) ? 1 : 0;
}

} // namespace

int LoadFromStream(Picture& picture, MemoryFile& stream, const std::string& name)
{
    const int code = ClassifyImageFile(name);
    const uint64_t length = stream.GetLength();
    stream.Seek(0);
    if (length == 0 || length > kMaxEncodedImageBytes)
        return 0;
    if (IsSystemDecoderFormat(code))
        return LoadFromIStream(picture, stream.GetData(), stream.GetSize());

    DecodedImage image;
    auto result = ExtendedDecodeBytes(stream.GetData(), stream.GetSize(), code, image);
    return AdoptResult(picture, result, image);
}

int LoadFromFile(Picture& picture, const std::string& path)
{
    const int code = ClassifyImageFile(path);
    if (IsSystemDecoderFormat(code)) {
        std::vector<uint8_t> bytes;
        if (!ReadImageFile(path, kMaxEncodedImageBytes, bytes))
            return 0;
        return LoadFromIStream(picture, bytes.data(), bytes.size());
    }
    // A path the library's buffer cannot hold would reach it cut short, naming another file.
    if (path.empty() || path.size() >= kLibraryPathChars)
        return 0;
    DecodedImage image;
    auto result = ExtendedDecodeFile(path, image);
    return AdoptResult(picture, result, image);
}
