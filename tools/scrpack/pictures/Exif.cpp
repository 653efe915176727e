#include "scrpack/pictures/Exif.h"

#include "base/ByteOrder.h"

#include <cstring>

namespace {

constexpr uint16_t kTagOrientation = 0x0112;
constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifIfd = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeLong = 4;

class Tiff {
public:
    Tiff(const uint8_t* data, size_t size, size_t fileOffset)
        : data_(data), size_(size), fileOffset_(fileOffset), big_(size >= 2 && data[0] == 'M')
    {
    }
    bool Valid() const
    {
        return size_ >= 8 && (std::memcmp(data_, "II*\0", 4) == 0 || std::memcmp(data_, "MM\0*", 4) == 0);
    }
    uint16_t U16(size_t at) const { return at + 2 <= size_ ? (big_ ? ReadBE16(data_ + at) : ReadLE16(data_ + at)) : 0; }
    uint32_t U32(size_t at) const { return at + 4 <= size_ ? (big_ ? ReadBE32(data_ + at) : ReadLE32(data_ + at)) : 0; }

    // Walks one directory; returns the offset of the EXIF sub-directory it names (0: none).
    uint32_t Walk(size_t ifd, ExifInfo& info, bool exifIfd) const
    {
        if (ifd < 8 || ifd + 2 > size_)
            return 0;
        const size_t count = U16(ifd);
        uint32_t sub = 0;
        for (size_t i = 0; i < count; ++i) {
            const size_t entry = ifd + 2 + i * 12;
            if (entry + 12 > size_)
                break;
            const uint16_t tag = U16(entry), type = U16(entry + 2);
            const uint32_t n = U32(entry + 4);
            if (!exifIfd && tag == kTagOrientation && type == kTypeShort && n == 1) {
                const uint16_t value = U16(entry + 8);
                if (value >= 1 && value <= 8) {
                    info.orientation = value;
                    info.orientationOffset = fileOffset_ + entry + 8;
                    info.bigEndian = big_;
                }
            } else if (!exifIfd && tag == kTagExifIfd && (type == kTypeLong || type == kTypeShort)) {
                sub = type == kTypeLong ? U32(entry + 8) : U16(entry + 8);
            } else if ((tag == kTagDateTimeOriginal || (tag == kTagDateTime && info.dateTime.empty())) &&
                       type == kTypeAscii && n >= 19 && n <= 64) {
                const size_t at = U32(entry + 8);
                if (at < size_ && size_ - at >= 19) {
                    std::string text(reinterpret_cast<const char*>(data_ + at), 19);
                    if (tag == kTagDateTimeOriginal || info.dateTime.empty())
                        info.dateTime = text;
                }
            }
        }
        return sub;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t fileOffset_;
    bool big_;
};

} // namespace

ExifInfo ReadJpegExif(const uint8_t* data, size_t size)
{
    ExifInfo info;
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return info;
    size_t pos = 2;
    while (pos + 4 <= size && data[pos] == 0xFF) {
        const uint8_t marker = data[pos + 1];
        // The picture data starts: EXIF comes before it or not at all.
        if (marker == 0xDA || marker == 0xD9)
            break;
        const size_t length = ReadBE16(data + pos + 2);
        if (length < 2 || length > size - pos - 2)
            break;
        const uint8_t* body = data + pos + 4;
        const size_t bodySize = length - 2;
        if (marker == 0xE1 && bodySize >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0) {
            Tiff tiff(body + 6, bodySize - 6, pos + 10);
            if (tiff.Valid()) {
                const uint32_t sub = tiff.Walk(tiff.U32(4), info, false);
                if (sub)
                    tiff.Walk(sub, info, true);
            }
            break;
        }
        pos += 2 + length;
    }
    // A date that is not digits where digits belong is no date.
    if (info.dateTime.size() == 19) {
        for (size_t i = 0; i < 19; ++i) {
            const char c = info.dateTime[i];
            const bool separator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
            if (!separator && (c < '0' || c > '9')) {
                info.dateTime.clear();
                break;
            }
        }
    }
    return info;
}
