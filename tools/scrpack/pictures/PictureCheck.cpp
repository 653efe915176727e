#include "scrpack/pictures/PictureCheck.h"

#include "codecs/BmpDecoder.h"
#include "codecs/BuiltinExpic.h"
#include "codecs/ExtendedDecoder.h"
#include "codecs/ImageFormat.h"
#include "codecs/PictureLoad.h"
#include "gfx/Picture.h"
#include "platform/Paths.h"
#include "scrpack/files/SourceFiles.h"

#include <algorithm>

#include <cstring>
#include <vector>

namespace {

bool Starts(const uint8_t* data, size_t size, const char* magic, size_t offset = 0)
{
    const size_t n = std::strlen(magic);
    return size >= offset + n && std::memcmp(data + offset, magic, n) == 0;
}

} // namespace

std::string PictureKind(const uint8_t* data, size_t size)
{
    if (Starts(data, size, "\xFF\xD8\xFF"))
        return "JPEG";
    if (Starts(data, size, "\x89PNG\r\n\x1A\n"))
        return "PNG";
    if (Starts(data, size, "GIF87a") || Starts(data, size, "GIF89a"))
        return "GIF";
    if (Starts(data, size, "BM"))
        return "BMP";
    if (size >= 4 && (std::memcmp(data, "II*\0", 4) == 0 || std::memcmp(data, "MM\0*", 4) == 0))
        return "TIFF";
    if (Starts(data, size, "RIFF") && Starts(data, size, "WEBP", 8))
        return "WebP";
    if (Starts(data, size, "ftyp", 4)) {
        for (const char* brand : {"heic", "heix", "hevc", "heim", "heis", "mif1", "msf1"}) {
            if (Starts(data, size, brand, 8))
                return "HEIF";
        }
        if (Starts(data, size, "avif", 8))
            return "AVIF";
    }
    if (Starts(data, size, "8BPS"))
        return "Photoshop";
    // A drawing: XML whose first element is <svg>, after any declaration, comments and blanks.
    const std::string head(reinterpret_cast<const char*>(data), std::min<size_t>(size, 1024));
    const size_t svg = head.find("<svg");
    if (svg != std::string::npos &&
        (head.compare(0, 5, "<?xml") == 0 || head.find_first_not_of(" \t\r\n\xEF\xBB\xBF") == svg ||
         head.compare(0, 4, "<!--") == 0 || head.compare(0, 9, "<!DOCTYPE") == 0))
        return "SVG";
    return "";
}

bool NeedsConversion(const std::string& kind)
{
    return kind == "TIFF" || kind == "WebP" || kind == "HEIF" || kind == "AVIF" || kind == "SVG";
}

std::string CheckPicture(const std::string& path, const std::string& storedName)
{
    std::vector<uint8_t> bytes;
    if (!ReadSourceFile(path, kMaxEncodedImageBytes, bytes))
        return "cannot be read, is empty or is too large for a picture";
    const std::string kind = PictureKind(bytes.data(), bytes.size());
    const int code = ClassifyImageFile(storedName);
    // Such a name goes to the system decoder, which reads BMP, JPEG and GIF only, whatever one system's
    // decoder (Wine's) also happens to read.
    const bool wrongName =
        IsSystemDecoderFormat(code) && !kind.empty() && kind != "JPEG" && kind != "BMP" && kind != "GIF";
    bool shows = false;
    if (IsSystemDecoderFormat(code)) {
        Picture picture;
        shows = !wrongName && LoadFromIStream(picture, bytes.data(), bytes.size()) && picture.IsLoaded();
        // Windows' decoder takes a bitmap cut short, even one with nothing after its header, and shows a blank
        // area: a bitmap must hold all its pixels, as the Linux runtime's decoder demands.
        DecodedImage whole;
        shows = shows && (kind != "BMP" || DecodeBmp(bytes.data(), bytes.size(), whole));
    } else {
        DecodedImage image;
        shows = DecodeExtended(bytes.data(), bytes.size(), code, image) && !image.Empty();
    }
    if (shows)
        return "";
    if (NeedsConversion(kind))
        return kind +
            " pictures do not show in the runtime; remove convert = false from the entry, and scrpack "
            "converts it";
    const std::string extension = ExtensionOf(storedName);
    if (wrongName)
        return kind + " data under the name \"" + storedName + "\": names ending in " + extension +
            " are read as BMP, JPEG or GIF only; name it after its format";
    if (!kind.empty())
        return "the " + kind + " data does not decode (damaged or cut short)";
    return "holds no picture the runtime can decode";
}

std::string UnreadableFormatsAdvice(const std::string& kinds)
{
    return "this machine has no decoder for " + kinds +
        " pictures; convert them to JPEG or PNG with a picture or drawing editor, install a Windows decoder for them "
        "(Microsoft's WebP and HEIF image extensions), or pack the show with the Linux scrpack, which converts them";
}
