#include "scrpack/pictures/PictureMarkers.h"

#include "base/ByteOrder.h"
#include "scrpack/pictures/Exif.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

constexpr char kIccTag[] = "ICC_PROFILE"; // with its terminating zero, 12 bytes
constexpr size_t kIccHeader = 14;         // the tag, then the chunk's number and the count of chunks

// Calls each(marker, offset of the segment, its whole length with marker) for the segments before the
// picture data, stopping at the first malformed one.
template <class Each> void ForEachSegment(const uint8_t* data, size_t size, Each each)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return;
    size_t pos = 2;
    while (pos + 4 <= size && data[pos] == 0xFF) {
        const uint8_t marker = data[pos + 1];
        if (marker == 0xDA || marker == 0xD9)
            return;
        const size_t length = ReadBE16(data + pos + 2);
        if (length < 2 || length > size - pos - 2)
            return;
        each(marker, pos, length + 2);
        pos += 2 + length;
    }
}

bool IsIccSegment(const uint8_t* segment, size_t total)
{
    return segment[1] == 0xE2 && total >= 4 + kIccHeader && std::memcmp(segment + 4, kIccTag, 12) == 0;
}

} // namespace

std::vector<uint8_t> JpegIccProfile(const uint8_t* data, size_t size)
{
    std::map<int, std::vector<uint8_t>> chunks;
    int count = 0;
    bool consistent = true;
    ForEachSegment(data, size, [&](uint8_t, size_t at, size_t total) {
        const uint8_t* segment = data + at;
        if (!IsIccSegment(segment, total))
            return;
        const int number = segment[4 + 12], of = segment[4 + 13];
        consistent = consistent && number >= 1 && number <= of && (count == 0 || count == of) && !chunks.count(number);
        count = of;
        chunks[number].assign(segment + 4 + kIccHeader, segment + total);
    });
    std::vector<uint8_t> profile;
    if (!consistent || chunks.empty() || static_cast<int>(chunks.size()) != count)
        return profile;
    for (const auto& [number, bytes] : chunks)
        profile.insert(profile.end(), bytes.begin(), bytes.end());
    return profile;
}

std::vector<uint8_t> WebpIccProfile(const uint8_t* data, size_t size)
{
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WEBP", 4) != 0)
        return {};
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint32_t length = ReadLE32(data + pos + 4);
        if (length > size - pos - 8)
            break;
        if (std::memcmp(data + pos, "ICCP", 4) == 0)
            return std::vector<uint8_t>(data + pos + 8, data + pos + 8 + length);
        pos += 8 + length + (length & 1);
    }
    return {};
}

std::vector<uint8_t> PngCompressedIccProfile(const uint8_t* data, size_t size)
{
    if (!data || size < 8 || std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) != 0)
        return {};
    size_t pos = 8;
    while (pos + 12 <= size) {
        const uint32_t length = ReadBE32(data + pos);
        if (length > size - pos - 12)
            break;
        const uint8_t* type = data + pos + 4;
        if (std::memcmp(type, "IDAT", 4) == 0)
            break; // the profile comes before the pixels or not at all
        if (std::memcmp(type, "iCCP", 4) == 0) {
            // A name of 1 to 79 bytes, its zero, the compression method (0), then the stream.
            const uint8_t* body = data + pos + 8;
            const void* zero = std::memchr(body, 0, std::min<size_t>(length, 80));
            if (!zero)
                return {};
            const size_t start = static_cast<size_t>(static_cast<const uint8_t*>(zero) - body) + 2;
            if (start > length)
                return {};
            return std::vector<uint8_t>(body + start, body + length);
        }
        pos += 12 + length;
    }
    return {};
}

std::string WithMarkersOf(const std::string& original, const std::string& encoded)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(original.data());
    std::string kept;
    ForEachSegment(bytes, original.size(), [&](uint8_t marker, size_t at, size_t total) {
        const bool application = marker >= 0xE1 && marker <= 0xEF; // not APP0: the encoder wrote its own JFIF
        if ((application && !IsIccSegment(bytes + at, total)) || marker == 0xFE)
            kept.append(original, at, total);
    });
    // The new file's own JFIF header stays first.
    const auto* fresh = reinterpret_cast<const uint8_t*>(encoded.data());
    size_t headerEnd = 2;
    if (encoded.size() >= 6 && fresh[2] == 0xFF && fresh[3] == 0xE0)
        headerEnd = std::min<size_t>(4 + ReadBE16(fresh + 4), encoded.size());
    std::string out = encoded.substr(0, headerEnd) + kept + encoded.substr(headerEnd);
    MarkUpright(out);
    return out;
}

void MarkUpright(std::string& jpeg)
{
    const ExifInfo exif = ReadJpegExif(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size());
    if (exif.orientationOffset > 0 && exif.orientationOffset + 2 <= jpeg.size()) {
        jpeg[exif.orientationOffset] = exif.bigEndian ? 0 : 1;
        jpeg[exif.orientationOffset + 1] = exif.bigEndian ? 1 : 0;
    }
}
