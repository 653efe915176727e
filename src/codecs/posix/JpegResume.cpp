#include "codecs/posix/JpegResume.h"

#include <cmath>
#include <cstring>

#include "base/ByteOrder.h"

namespace {

constexpr uint8_t kSof0 = 0xC0, kSof1 = 0xC1, kSos = 0xDA, kRst0 = 0xD0, kRst7 = 0xD7;

bool IsOtherFrame(uint8_t marker)
{
    // SOF2 to SOF15: progressive, lossless, hierarchical or arithmetic-coded frames (C4, C8, CC are not frames).
    return marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The markers ahead of the coded data: where the frame header starts and where the data starts.
struct Headers {
    size_t frame = 0;
    size_t dataStart = 0;
};

std::optional<Headers> ReadHeaders(const uint8_t* data, size_t size)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return std::nullopt;
    Headers headers;
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF)
            return std::nullopt;
        const uint8_t marker = data[pos + 1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        const size_t length = ReadBE16(data + pos + 2);
        if (length < 2 || pos + 2 + length > size || (marker >= kRst0 && marker <= 0xD9) || marker == 0x01)
            return std::nullopt;
        if (marker == kSof0 || marker == kSof1) {
            if (headers.frame != 0 || length < 8)
                return std::nullopt;
            headers.frame = pos;
        } else if (IsOtherFrame(marker)) {
            return std::nullopt;
        } else if (marker == kSos) {
            if (headers.frame == 0)
                return std::nullopt;
            headers.dataStart = pos + 2 + length;
            return headers;
        }
        pos += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<JpegResumePoint> FindJpegResumePoint(const uint8_t* data, size_t size, const JpegScanShape& shape)
{
    if (!data || shape.restartInterval <= 0 || shape.mcusPerRow <= 0 || shape.mcuRows < 4 || shape.mcuHeight <= 0)
        return std::nullopt;
    const std::optional<Headers> headers = ReadHeaders(data, size);
    if (!headers || ReadBE16(data + headers->frame + 5) != shape.imageHeight || headers->dataStart >= size)
        return std::nullopt;

    // Each marker ends `restartInterval` MCUs and is numbered 0 to 7 in turn; a decoder starting afresh expects
    // marker 0 first, so the data can resume after every eighth marker, where that marker also ends a row.
    // Reading the coded data and making the rows each cost about half of a decode: the point that halves their
    // sum is taken, where the share of the data before it and the share of the rows above it add up to one.
    const double dataSize = static_cast<double>(size - headers->dataStart);
    std::optional<JpegResumePoint> best;
    double bestScore = 0;
    int64_t markers = 0;
    for (size_t pos = headers->dataStart; pos + 1 < size;) {
        const void* found = std::memchr(data + pos, 0xFF, size - 1 - pos);
        if (!found)
            break;
        pos = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
        const uint8_t marker = data[pos + 1];
        if (marker == 0x00 || marker == 0xFF) { // a stuffed data byte, or fill
            pos += marker == 0x00 ? 2 : 1;
            continue;
        }
        if (marker < kRst0 || marker > kRst7)
            break; // the end of the scan
        if (marker - kRst0 != markers % 8)
            return std::nullopt;
        pos += 2;
        ++markers;
        const int64_t mcus = markers * shape.restartInterval;
        if (markers % 8 != 0 || mcus % shape.mcusPerRow != 0)
            continue;
        const int64_t row = mcus / shape.mcusPerRow;
        if (row < 2)
            continue;
        if (row > shape.mcuRows - 2)
            break;
        const double sum = static_cast<double>(pos - headers->dataStart) / dataSize +
            static_cast<double>(row) / static_cast<double>(shape.mcuRows);
        if (!best || std::fabs(sum - 1) < bestScore) {
            best = JpegResumePoint{{}, pos, static_cast<int>(row)};
            bestScore = std::fabs(sum - 1);
        }
        if (sum >= 1)
            break; // every later point is further from the middle
    }
    if (!best)
        return std::nullopt;
    best->header.assign(data, data + headers->dataStart);
    const int rowsLeft = shape.imageHeight - best->mcuRow * shape.mcuHeight;
    best->header[headers->frame + 5] = static_cast<uint8_t>(rowsLeft >> 8);
    best->header[headers->frame + 6] = static_cast<uint8_t>(rowsLeft & 0xFF);
    return best;
}
