#include <fstream>
#include <vector>

#include "codecs/BuiltinExpic.h"
#include "codecs/ExtendedLibrary.h"
#include "codecs/ImageFormat.h"
#include "codecs/PictureLoad.h"
#include "db/MyFile.h"
#include "db/MyMemFile.h"
#include "gfx/ComPicture.h"
#include "platform/Paths.h"

namespace {

// The external library takes paths in a buffer of 261 characters.
constexpr size_t kLibraryPathChars = 261;

int AdoptResult(CComPicture& picture, const ExtendedDecodeResult& result, DecodedImage& image)
{
    return result.ok && picture.AdoptDecoded(std::move(image)) ? 1 : 0;
}

} // namespace

int LoadFromStream(CComPicture& picture, CMyMemFile& stream, const std::string& name)
{
    const int code = ClassifyImageFile(name);
    const uint64_t length = stream.GetLength();
    stream.Seek(0);
    if (length == 0 || length > kMaxEncodedImageBytes)
        return 0;
    if (IsSystemDecoderFormat(code))
        return LoadFromIStream(picture, stream.GetData(), stream.GetSize());

    // The library decodes from a path, so the bytes go to a temporary file first. A copy that cannot be
    // written fails the load rather than decode whatever an earlier load left there.
    const std::string tempPath = TempDirectory() + kImageTempFileName;
    CMyFile temp;
    if (!temp.Open(tempPath, CMyFile::modeWrite | CMyFile::modeCreate))
        return 0;
    bool written = temp.Write(stream.GetData(), stream.GetSize());
    temp.Close();
    if (!written)
        return 0;
    DecodedImage image;
    auto result = ExtendedDecodeTempFile(tempPath, static_cast<uint32_t>(length), code, image);
    return AdoptResult(picture, result, image);
}

int LoadFromFile(CComPicture& picture, const std::string& path)
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
