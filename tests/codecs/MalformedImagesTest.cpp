// Truncated, corrupt and oversized images fail cleanly in every decoder.
#include <gtest/gtest.h>

#include <chrono>

#include "codecs/DecodeCommon.h"
#include "codecs/ExtendedDecoder.h"
#include "codecs/ImageFormat.h"
#include "codecs/PcxDecoder.h"
#include "codecs/PnmDecoder.h"
#include "codecs/SgiDecoder.h"
#include "codecs/StbDecoder.h"
#include "support/DecodeTestSupport.h"

using namespace Samples;

namespace {

const char* const kExtendedSamples[] = {
    "pattern.png", "pattern-palette.png", "pattern-16bit.png", "pattern-grey.png", "pattern.tga",     "pattern-rle.tga",
    "pattern.psd", "pattern.pcx",         "pattern-8.pcx",     "pattern.sgi",      "pattern-rle.sgi", "grey.bw",
    "pattern.ppm", "pattern-plain.ppm",   "grey.pgm",          "grey-plain.pgm",   "mono.pbm",        "mono-plain.pbm",
    "pattern.jpg", "pattern.gif",         "pattern-24.bmp",    "pattern-rle8.bmp",
};

bool Decodes(const std::vector<uint8_t>& bytes, int code = -1, uint64_t maxPixels = kMaxImagePixels)
{
    DecodedImage image;
    bool ok = DecodeExtended(bytes.data(), bytes.size(), code, image, maxPixels);
    EXPECT_EQ(ok, !image.Empty());
    return ok;
}

} // namespace

TEST(MalformedImages, EveryTruncationOfEverySampleFails)
{
    for (const char* name : kExtendedSamples) {
        auto bytes = Read(name);
        ASSERT_TRUE(Decodes(bytes, ClassifyImageFile(name))) << name;
        // What may go and leave a whole image: a plain Netpbm file's last number (it still reads as a
        // smaller one), a GIF's trailer byte, and the end-of-bitmap code after the last RLE line.
        std::string n(name);
        size_t whole = bytes.size();
        if (n.find("plain") != std::string::npos)
            whole -= 4;
        else if (n.find(".gif") != std::string::npos)
            whole -= 1;
        else if (n.find("rle8.bmp") != std::string::npos)
            whole -= 2;
        for (size_t cut = 0; cut < whole; ++cut) {
            std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
            EXPECT_FALSE(Decodes(part, ClassifyImageFile(name))) << name << " cut at " << cut;
        }
    }
}

TEST(MalformedImages, FlippedBytesNeverCrash)
{
    // Every single-byte corruption of the headers and the first data; the result may go either way.
    for (const char* name : kExtendedSamples) {
        auto bytes = Read(name);
        for (size_t i = 0; i < bytes.size() && i < 600; ++i) {
            for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(bytes[i] ^ 0x80)}) {
                auto bad = bytes;
                bad[i] = value;
                Decodes(bad, ClassifyImageFile(name), 1u << 16);
            }
        }
    }
}

TEST(MalformedImages, HeadersClaimingHugeImagesAreRefusedQuickly)
{
    auto start = std::chrono::steady_clock::now();
    // PNG header of 60000 x 60000 (IHDR CRC is not checked before the size).
    Bytes png;
    png.text("\x89PNG\r\n\x1a\n").be32(13).text("IHDR").be32(60000).be32(60000).u8(8).u8(2).u8(0).u8(0).u8(0);
    png.be32(0).be32(0).text("IEND").be32(0);
    EXPECT_FALSE(Decodes(png.data));
    // PSD of 30000 x 30000, 3 channels.
    Bytes psd;
    psd.text("8BPS").be16(1).fill(6).be16(3).be32(30000).be32(30000).be16(8).be16(3).be32(0).be32(0).be32(0).be16(0);
    EXPECT_FALSE(Decodes(psd.data));
    // Targa of 65535 x 65535, 24 bits.
    Bytes tga;
    tga.u8(0).u8(0).u8(2).fill(5).u16(0).u16(0).u16(65535).u16(65535).u8(24).u8(0x20).fill(64);
    EXPECT_FALSE(Decodes(tga.data, kFormatTga));
    // SGI of 65535 x 65535 x 3, run-length encoded with a table far smaller than it claims.
    Bytes sgi;
    sgi.be16(474).u8(1).u8(1).be16(3).be16(65535).be16(65535).be16(3).fill(500).fill(64);
    EXPECT_FALSE(Decodes(sgi.data, kFormatSgi));
    // PCX of 65535 x 65535 at 8 bits × 3 planes.
    Bytes pcx;
    pcx.u8(0x0A).u8(5).u8(1).u8(8).u16(0).u16(0).u16(65534).u16(65534).fill(4 + 48 + 1).u8(3).u16(65535);
    pcx.fill(128 - 68).fill(200, 0xC1);
    EXPECT_FALSE(Decodes(pcx.data, kFormatPcx));
    // Netpbm of 100000 x 100000.
    Bytes ppm;
    ppm.text("P6\n100000 100000\n255\n").fill(30);
    EXPECT_FALSE(Decodes(ppm.data, kFormatPnm));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(MalformedImages, PixelLimitIsHonouredByEveryDecoder)
{
    // Each sample is 13 x 7 = 91 pixels.
    for (const char* name : kExtendedSamples) {
        auto bytes = Read(name);
        EXPECT_TRUE(Decodes(bytes, ClassifyImageFile(name), 91)) << name;
        EXPECT_FALSE(Decodes(bytes, ClassifyImageFile(name), 90)) << name;
    }
}

TEST(PcxDecoder, PlanarAndPackedLowDepths)
{
    auto header = [](int bits, int planes, int width, int bytesPerLine, bool rle) {
        Bytes h;
        h.u8(0x0A).u8(5).u8(rle ? 1 : 0).u8(bits).u16(0).u16(0).u16(width - 1).u16(0).u16(72).u16(72);
        for (int i = 0; i < 16; ++i) // palette entry i: (i*16, 255 - i*16, i)
            h.u8(i * 16).u8(255 - i * 16).u8(i);
        h.u8(0).u8(planes).u16(bytesPerLine).u16(1).fill(58);
        return h;
    };
    auto entry = [](uint32_t i) { return PackRgb(i * 16, 255 - i * 16, i); };
    DecodedImage image;

    // 4 planes of 1 bit: pixel 0 sets planes 0 and 2 (index 5), pixel 1 plane 3 (index 8).
    Bytes ega = header(1, 4, 2, 2, false);
    ega.u8(0x80).u8(0).u8(0).u8(0).u8(0x80).u8(0).u8(0x40).u8(0);
    ASSERT_TRUE(DecodePcx(ega.data.data(), ega.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{entry(5), entry(8)}));

    // 2 bits packed, run-length encoded: one byte 0b00011011 repeated twice (run of 2).
    Bytes cga = header(2, 1, 8, 2, true);
    cga.u8(0xC2).u8(0x1B);
    ASSERT_TRUE(DecodePcx(cga.data.data(), cga.size(), image));
    EXPECT_EQ(image.pixels,
              (std::vector<uint32_t>{entry(0), entry(1), entry(2), entry(3), entry(0), entry(1), entry(2), entry(3)}));

    // Monochrome with an empty header palette is black on white.
    Bytes mono = header(1, 1, 3, 2, false);
    std::fill(mono.data.begin() + 16, mono.data.begin() + 64, 0);
    mono.u8(0xA0).u8(0);
    ASSERT_TRUE(DecodePcx(mono.data.data(), mono.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFFFF, 0x000000, 0xFFFFFF}));

    // A line too short for the width, and an 8-bit file whose palette marker is missing.
    Bytes narrow = header(8, 1, 9, 4, false);
    narrow.fill(4 + 769);
    EXPECT_FALSE(DecodePcx(narrow.data.data(), narrow.size(), image));
    Bytes noPalette = header(8, 1, 2, 2, false);
    noPalette.fill(2 + 769);
    EXPECT_FALSE(DecodePcx(noPalette.data.data(), noPalette.size(), image));
}

TEST(SgiDecoder, TwoBytesPerChannelAndAlpha)
{
    // 1 x 1 RGBA, verbatim, 2 bytes per channel: the high bytes count; alpha 0x80 darkens over black.
    Bytes sgi;
    sgi.be16(474).u8(0).u8(2).be16(3).be16(1).be16(1).be16(4).fill(500);
    sgi.be16(0xFF00).be16(0x8000).be16(0x00FF).be16(0x80FF);
    DecodedImage image;
    ASSERT_TRUE(DecodeSgi(sgi.data.data(), sgi.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{PackRgbOverBlack(0xFF, 0x80, 0x00, 0x80) | 0x80000000u}));
    EXPECT_TRUE(image.hasAlpha);
    // The same picture fully opaque carries no opacity, as an opaque PNG does not.
    sgi.data[518] = 0xFF;
    ASSERT_TRUE(DecodeSgi(sgi.data.data(), sgi.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF8000}));
    EXPECT_FALSE(image.hasAlpha);
}

TEST(SgiDecoder, RunsThatOverrunTheRowFail)
{
    // 2 x 1 grey, RLE: a run of 3 in a row of 2.
    Bytes sgi;
    sgi.be16(474).u8(1).u8(1).be16(2).be16(2).be16(1).be16(1).fill(500);
    sgi.be32(520).be32(3).u8(0x03).u8(0x10).u8(0);
    DecodedImage image;
    EXPECT_FALSE(DecodeSgi(sgi.data.data(), sgi.size(), image));
    sgi.data[520] = 0x02;
    ASSERT_TRUE(DecodeSgi(sgi.data.data(), sgi.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x101010, 0x101010}));
}

TEST(PnmDecoder, MaximumValuesCommentsAndWideSamples)
{
    DecodedImage image;
    Bytes pgm;
    pgm.text("P2 # grey\n# more\n3 1\n15\n0 8 15\n");
    ASSERT_TRUE(DecodePnm(pgm.data.data(), pgm.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x000000, 0x888888, 0xFFFFFF}));

    Bytes wide;
    wide.text("P6\n1 1\n65535\n").be16(0xFFFF).be16(0x8000).be16(0);
    ASSERT_TRUE(DecodePnm(wide.data.data(), wide.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF8000}));

    // Plain PBM digits need no blanks between them.
    Bytes pbm;
    pbm.text("P1\n3 1\n101");
    ASSERT_TRUE(DecodePnm(pbm.data.data(), pbm.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x000000, 0xFFFFFF, 0x000000}));

    for (const char* bad : {"P3\n1 1\n0\n0 0 0\n", "P3\n1 1\n70000\n0 0 0\n", "P5\n-1 1\n255\n\x01",
                            "P2\n2 1\n255\n1 x\n", "P7\n1 1\n"}) {
        std::string text(bad);
        EXPECT_FALSE(DecodePnm(reinterpret_cast<const uint8_t*>(text.data()), text.size(), image)) << text;
    }
}

TEST(PcxDecoder, LinesPaddedFarBeyondTheWidthAreRefused)
{
    // 1 pixel wide, 8 bits, but 60000 bytes per line: a line buffer out of all proportion to the image.
    Bytes pcx;
    pcx.u8(0x0A).u8(5).u8(0).u8(8).u16(0).u16(0).u16(0).u16(0).fill(4 + 48 + 1).u8(1).u16(60000).fill(58);
    pcx.fill(60000 + 769);
    pcx.data[pcx.size() - 769] = 0x0C;
    DecodedImage image;
    EXPECT_FALSE(DecodePcx(pcx.data.data(), pcx.size(), image));
}

TEST(MalformedImages, JpegHuffmanTablesWithTooManySymbolsAreRefused)
{
    // A table whose 16 code counts add up to 16 × 200 symbols would be built past its end.
    auto jpeg = Read("pattern.jpg");
    Bytes bad;
    bad.u8(0xFF).u8(0xD8).u8(0xFF).u8(0xC4).be16(2 + 17).u8(0x00).fill(16, 200);
    bad.data.insert(bad.data.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_FALSE(Decodes(bad.data));
    // Fill bytes before the start of the image do not hide it.
    Bytes filled;
    filled.u8(0xFF).u8(0xFF).raw(bad.data);
    EXPECT_FALSE(Decodes(filled.data));
    // The same table with its segment length cut short is still walked to its end.
    bad.data[5] = 4;
    EXPECT_FALSE(Decodes(bad.data));
    // A sound extra table changes nothing.
    Bytes good;
    good.u8(0xFF).u8(0xD8).u8(0xFF).u8(0xC4).be16(2 + 17 + 1).u8(0x00).u8(1).fill(15).u8(0);
    good.data.insert(good.data.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_TRUE(Decodes(good.data));
}

TEST(MalformedImages, PngWhoseFirstDataChunkIsEmptyIsRefused)
{
    auto png = Read("pattern.png");
    // Insert an empty IDAT chunk before the first one.
    size_t idat = 8;
    while (std::string(png.begin() + idat + 4, png.begin() + idat + 8) != "IDAT")
        idat +=
            12 + (size_t(png[idat]) << 24 | size_t(png[idat + 1]) << 16 | size_t(png[idat + 2]) << 8 | png[idat + 3]);
    Bytes empty;
    empty.be32(0).text("IDAT").be32(0x35AF061E); // CRC of an empty IDAT
    png.insert(png.begin() + idat, empty.data.begin(), empty.data.end());
    EXPECT_FALSE(Decodes(png));
}
