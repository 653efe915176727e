#include "codecs/posix/PngEncoder.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "base/SecondThread.h"

namespace {

// The fastest levels split pictures of this many filtered bytes or more in two halves compressed side by side.
constexpr size_t kSplitBytes = size_t(1) << 20;

void PutBE32(std::string& out, uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

struct Bytes {
    const uint8_t* data;
    size_t size;
};

// A chunk whose data is the pieces one after the other.
void PutChunk(std::string& out, const char type[4], std::initializer_list<Bytes> pieces)
{
    size_t size = 0;
    for (const Bytes& piece : pieces)
        size += piece.size;
    PutBE32(out, static_cast<uint32_t>(size));
    out.append(type, 4);
    uint32_t crc = libdeflate_crc32(0, type, 4);
    for (const Bytes& piece : pieces) {
        if (piece.size)
            out.append(reinterpret_cast<const char*>(piece.data), piece.size);
        crc = libdeflate_crc32(crc, piece.data, piece.size);
    }
    PutBE32(out, crc);
}

uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p;
    const int pb = p > b ? p - b : b - p;
    const int pc = p > c ? p - c : c - p;
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

struct Source {
    const uint8_t* pixels;
    int width;
    size_t stride;
    PngPixels layout;
    int channels;
    size_t rowBytes;

    // Row y in PNG's byte order.
    void Row(int y, uint8_t* into) const
    {
        const uint8_t* source = pixels + static_cast<size_t>(y) * stride;
        if (layout != PngPixels::Bgrx) {
            std::memcpy(into, source, rowBytes);
            return;
        }
        for (int x = 0; x < width; ++x) {
            into[3 * x] = source[4 * x + 2];
            into[3 * x + 1] = source[4 * x + 1];
            into[3 * x + 2] = source[4 * x];
        }
    }
};

// Writes rows [first, last) filtered, each after its filter byte, from raw's start.
void FilterRows(const Source& s, int first, int last, uint8_t filter, uint8_t* raw)
{
    std::vector<uint8_t> row(s.rowBytes), above(s.rowBytes, 0);
    if (first > 0)
        s.Row(first - 1, above.data());
    for (int y = first; y < last; ++y) {
        s.Row(y, row.data());
        uint8_t* target = raw + static_cast<size_t>(y - first) * (s.rowBytes + 1);
        target[0] = filter;
        if (filter == 2) {
            for (size_t i = 0; i < s.rowBytes; ++i)
                target[1 + i] = static_cast<uint8_t>(row[i] - above[i]);
        } else {
            const size_t channels = static_cast<size_t>(s.channels);
            for (size_t i = 0; i < s.rowBytes; ++i) {
                const int left = i >= channels ? row[i - channels] : 0;
                const int upLeft = i >= channels ? above[i - channels] : 0;
                target[1 + i] = static_cast<uint8_t>(row[i] - Paeth(left, above[i], upLeft));
            }
        }
        row.swap(above);
    }
}

// Raw deflate of one part of a stream with ISA-L's fastest level, several times faster than libdeflate's
// at about the same size on frames. A part before the last ends byte-aligned with its history cleared, so
// parts compressed apart join into one stream. False when the output does not fit.
struct DeflatedPart {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
};

bool DeflatePart(const uint8_t* data, size_t size, bool last, DeflatedPart& out)
{
    // Stored blocks, the worst case, add 5 bytes per 64 KiB; only what is written is ever touched.
    const size_t room = size + size / 8192 + 64;
    out.bytes = std::make_unique_for_overwrite<uint8_t[]>(room);
    std::vector<uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    isal_zstream stream;
    isal_deflate_init(&stream);
    stream.level = 1;
    stream.level_buf = levelBuffer.data();
    stream.level_buf_size = static_cast<uint32_t>(levelBuffer.size());
    stream.gzip_flag = IGZIP_DEFLATE;
    stream.flush = last ? NO_FLUSH : FULL_FLUSH;
    stream.end_of_stream = last ? 1 : 0;
    stream.next_in = const_cast<uint8_t*>(data);
    stream.avail_in = static_cast<uint32_t>(size);
    stream.next_out = out.bytes.get();
    stream.avail_out = static_cast<uint32_t>(room);
    if (isal_deflate_stateless(&stream) != COMP_OK)
        return false;
    out.size = stream.total_out;
    return true;
}

} // namespace

bool EncodePng(const uint8_t* pixels, int width, int height, size_t stride, PngPixels layout, int level,
               std::string& out)
{
    out.clear();
    if (!pixels || width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24))
        return false;
    const int channels = layout == PngPixels::Rgba ? 4 : 3;
    const Source source{pixels, width, stride, layout, channels, static_cast<size_t>(width) * channels};
    // The "up" filter alone is cheap and suits slides, whose rows mostly repeat the row above; slower levels
    // take Paeth, which also follows smooth pictures along the row.
    const uint8_t filter = level <= 3 ? 2 : 4;
    const size_t rowSize = source.rowBytes + 1;
    const size_t rawSize = rowSize * static_cast<size_t>(height);
    // Every byte of the filtered rows is written: the buffer is not cleared first.
    const auto raw = std::make_unique_for_overwrite<uint8_t[]>(rawSize);

    // The zlib stream: its header, deflate data from either compressor, the checksum of the filtered rows.
    const uint8_t zlibHeader[2] = {0x78, 0x01};
    DeflatedPart parts[2];
    size_t partCount = 0;
    bool filtered = false;
    // Levels 0 and 1 take ISA-L: on slides some 2.5 times faster than libdeflate's level 1, for files about an
    // eighth larger (on noisy photos about as small); level 2 and up take libdeflate.
    if (level <= 1 && rawSize <= UINT32_MAX / 2) {
        // Each half filters and compresses its own rows, the first beside the second.
        const int split = rawSize >= kSplitBytes && height >= 2 ? height / 2 : height;
        const size_t firstSize = rowSize * static_cast<size_t>(split);
        bool firstOk = false, secondOk = true;
        auto runFirst = [&] {
            FilterRows(source, 0, split, filter, raw.get());
            firstOk = DeflatePart(raw.get(), firstSize, split == height, parts[0]);
        };
        if (split < height) {
            SecondThread beside(runFirst);
            FilterRows(source, split, height, filter, raw.get() + firstSize);
            secondOk = DeflatePart(raw.get() + firstSize, rawSize - firstSize, true, parts[1]);
            // A first half that failed (out of memory) left its rows unfiltered: there is no picture to write.
            if (!beside.JoinSucceeded())
                return false;
        } else {
            runFirst();
        }
        filtered = true;
        partCount = firstOk && secondOk ? (split < height ? 2 : 1) : 0;
    }
    if (partCount == 0) {
        if (!filtered)
            FilterRows(source, 0, height, filter, raw.get());
        const int deflateLevel = level < 1 ? 1 : level > 12 ? 12 : level;
        std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
            libdeflate_alloc_compressor(deflateLevel), &libdeflate_free_compressor);
        if (!compressor)
            return false;
        const size_t room = libdeflate_deflate_compress_bound(compressor.get(), rawSize);
        parts[0].bytes = std::make_unique_for_overwrite<uint8_t[]>(room);
        parts[0].size = libdeflate_deflate_compress(compressor.get(), raw.get(), rawSize, parts[0].bytes.get(), room);
        if (parts[0].size == 0)
            return false;
        partCount = 1;
    }
    const uint32_t adler = libdeflate_adler32(1, raw.get(), rawSize);
    const uint8_t zlibTrailer[4] = {static_cast<uint8_t>(adler >> 24), static_cast<uint8_t>(adler >> 16),
                                    static_cast<uint8_t>(adler >> 8), static_cast<uint8_t>(adler)};

    uint8_t header[13] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (24 - 8 * i));
    }
    header[8] = 8;                     // bits per sample
    header[9] = channels == 4 ? 6 : 2; // RGBA or RGB
    out.reserve(parts[0].size + parts[1].size + 64);
    out.append("\x89PNG\r\n\x1a\n", 8);
    PutChunk(out, "IHDR", {{header, sizeof header}});
    PutChunk(out, "IDAT",
             {{zlibHeader, 2},
              {parts[0].bytes.get(), parts[0].size},
              {parts[1].bytes.get(), parts[1].size},
              {zlibTrailer, 4}});
    PutChunk(out, "IEND", {});
    return true;
}
