#include "codecs/ExtendedDecoder.h"
#include "db/DatabaseTable.h"
#include "db/MemoryFile.h"
#include "db/ProjectDatabase.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "model/UserSettings.h"
#include "scrpack/commands/PackCommand.h"
#include "scrpack/pictures/Exif.h"
#include "support/TempDir.h"
#include "support/TestJpeg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <lcms2.h>
#include <libheif/heif.h>
#include <tiffio.h>
#include <turbojpeg.h>
#include <webp/encode.h>

#include <functional>
#include <sstream>

using ::testing::HasSubstr;

// The HEVC encoder that makes the test's HEIC sample keeps a buffer of its own to the end of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

// RGBA pixels: the top-left quadrant red, the rest blue; transparent on the right half when asked.
std::vector<uint8_t> Pattern(int w, int h, bool transparentRight = false)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            const bool red = x < w / 2 && y < h / 2;
            p[0] = red ? 255 : 0, p[1] = 0, p[2] = red ? 0 : 255;
            p[3] = transparentRight && x >= w / 2 ? 0 : 255;
        }
    }
    return rgba;
}

void WriteTiff(const std::string& path, int w, int h, bool alpha)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    const std::vector<uint8_t> rgba = Pattern(w, h, alpha);
    const int channels = alpha ? 4 : 3;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    if (alpha) {
        uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::vector<uint8_t> row(static_cast<size_t>(w) * channels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            std::copy_n(&rgba[(static_cast<size_t>(y) * w + x) * 4], channels, &row[static_cast<size_t>(x) * channels]);
        TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0);
    }
    TIFFClose(tif);
}

std::string WebP(int w, int h, bool lossless)
{
    const std::vector<uint8_t> rgba = Pattern(w, h);
    uint8_t* out = nullptr;
    size_t size = lossless ? WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &out)
                           : WebPEncodeRGBA(rgba.data(), w, h, w * 4, 90, &out);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    WebPFree(out);
    return bytes;
}

void WriteHeic(const std::string& path, int w, int h)
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    ASSERT_EQ(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code, heif_error_Ok);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image* image = nullptr;
    heif_image_create(w, h, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, w, h, 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const std::vector<uint8_t> rgba = Pattern(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            std::copy_n(&rgba[(static_cast<size_t>(y) * w + x) * 4], 3,
                        plane + static_cast<size_t>(y) * stride + x * 3);
    }
    ASSERT_EQ(heif_context_encode_image(context, image, encoder, nullptr, nullptr).code, heif_error_Ok);
    ASSERT_EQ(heif_context_write_to_file(context, path.c_str()).code, heif_error_Ok);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
}

// A JPEG whose EXIF block says how to turn it.
std::string JpegWithOrientation(int w, int h, int orientation)
{
    const std::vector<uint8_t> rgba = Pattern(w, h);
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, rgba.data(), w, w * 4, h, TJPF_RGBA, &out, &size, TJSAMP_420, 95, 0);
    std::string jpeg(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    const std::string tiff = std::string("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18) + char(orientation) +
        std::string("\0\0\0\0\0\0\0", 7);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const std::string app1 =
        std::string("\xFF\xE1") + char((body.size() + 2) >> 8) + char((body.size() + 2) & 0xFF) + body;
    return jpeg.substr(0, 2) + app1 + jpeg.substr(2);
}

struct Stored {
    std::string bytes;
    DecodedImage image;
};

// Packs one item and returns what the database stores for the name, decoded by the runtime's decoder.
Stored PackOne(TempDir& dir, const std::string& entry, bool convertAll, const std::string& storedName,
               bool markLargeJpegs = true)
{
    std::ostringstream err;
    dir.Write("show.toml", "[[media]]\n" + entry);
    PackOptions options{dir.File("show.toml"), dir.File("show.db"), ""};
    options.convert = convertAll;
    options.markLargeJpegs = markLargeJpegs;
    EXPECT_EQ(RunPack(options, err), 0) << err.str();
    ProjectDatabase db;
    EXPECT_TRUE(db.Open(dir.File("show.db"), 0));
    UserSettings user;
    MediaPlaylist items;
    items.SetDatabase(&db);
    items.SetUserSettings(&user);
    items.Open();
    items.LoadCurrent();
    EXPECT_EQ(items.GetFileName(), storedName);
    MediaTable media;
    media.SetDatabase(&db);
    media.Open();
    MemoryFile stream;
    EXPECT_TRUE(media.ReadMedia(storedName, stream)) << storedName;
    Stored stored{std::string(stream.View()), {}};
    EXPECT_TRUE(
        DecodeExtended(reinterpret_cast<const uint8_t*>(stored.bytes.data()), stored.bytes.size(), -1, stored.image));
    return stored;
}

uint32_t Near(uint32_t pixel)
{
    // Lossy formats move colours a little: the nearest of the two.
    const int r = pixel >> 16 & 0xFF, b = pixel & 0xFF;
    return r > b ? kRed : kBlue;
}

} // namespace

TEST(Convert, FormatsTheRuntimeCannotReadBecomePngOrJpeg)
{
    TempDir dir;
    WriteTiff(dir.File("scan.tif"), 40, 20, false);
    dir.Write("shot.webp", WebP(40, 20, true));
    dir.Write("lossy.webp", WebP(40, 20, false));
    WriteHeic(dir.File("phone.heic"), 64, 32);
    struct Case {
        std::string entry;
        bool convertAll;
        std::string stored;
        bool png;
        int w, h;
    } cases[] = {
        {"file = \"scan.tif\"\nconvert = true\n", false, "scan.png", true, 40, 20},
        {"file = \"shot.webp\"\n", true, "shot.png", true, 40, 20},
        {"file = \"lossy.webp\"\n", true, "lossy.jpg", false, 40, 20},
        {"file = \"phone.heic\"\nconvert = true\n", false, "phone.jpg", false, 64, 32},
        {"file = \"scan.tif\"\nname = \"Scan.TIF\"\n", true, "Scan.TIF", true, 40, 20}, // a given name stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const Stored stored = PackOne(dir, c.entry, c.convertAll, c.stored);
        EXPECT_EQ(stored.bytes.substr(1, 3), c.png ? "PNG" : "\xD8\xFF\xE0");
        ASSERT_EQ(stored.image.width, c.w);
        ASSERT_EQ(stored.image.height, c.h);
        EXPECT_EQ(Near(stored.image.pixels[static_cast<size_t>(c.w) + 2]), kRed);
        EXPECT_EQ(Near(stored.image.pixels.back()), kBlue);
    }
    // The author's file stays as it was.
    EXPECT_TRUE(std::filesystem::exists(dir.File("scan.tif")));
}

TEST(Convert, TransparentTiffKeepsItsAlphaAsPng)
{
    TempDir dir;
    WriteTiff(dir.File("logo.tif"), 16, 16, true);
    const Stored stored = PackOne(dir, "file = \"logo.tif\"\nconvert = true\n", false, "logo.png");
    // The runtime's decoder shows transparent parts over black.
    EXPECT_EQ(stored.image.pixels[0] & 0xFFFFFF, kRed);
    EXPECT_EQ(stored.image.pixels[15] & 0xFFFFFF, 0u);
}

TEST(Convert, PhonePhotosAreTurnedUpright)
{
    TempDir dir;
    // 64 x 32 is a whole number of 16-pixel blocks: turned without decoding. 50 x 30 is not: re-encoded.
    for (auto [w, h, lossless] : {std::tuple{64, 32, true}, std::tuple{50, 30, false}}) {
        SCOPED_TRACE(w);
        dir.Write("photo.jpg", JpegWithOrientation(w, h, 6));
        const Stored stored = PackOne(dir, "file = \"photo.jpg\"\n", false, "photo.jpg");
        ASSERT_EQ(stored.image.width, h);
        ASSERT_EQ(stored.image.height, w);
        // Turned a quarter clockwise, the red top-left corner is now top-right.
        EXPECT_EQ(Near(stored.image.pixels[static_cast<size_t>(h) - 3]), kRed);
        EXPECT_EQ(Near(stored.image.pixels[2]), kBlue);
        const ExifInfo exif = ReadJpegExif(reinterpret_cast<const uint8_t*>(stored.bytes.data()), stored.bytes.size());
        EXPECT_EQ(exif.orientation, 1);
        EXPECT_NE(exif.orientationOffset, 0u) << "the EXIF block is kept either way";
        (void)lossless;
    }
    // Upright photos, and photos whose entry says convert = false, are stored as they are.
    const std::string original = JpegWithOrientation(64, 32, 6);
    dir.Write("photo.jpg", original);
    EXPECT_EQ(PackOne(dir, "file = \"photo.jpg\"\nconvert = false\n", false, "photo.jpg").bytes, original);
    const std::string upright = JpegWithOrientation(64, 32, 1);
    dir.Write("photo.jpg", upright);
    EXPECT_EQ(PackOne(dir, "file = \"photo.jpg\"\n", false, "photo.jpg").bytes, upright);
}

TEST(Convert, DamagedSourceIsNamed)
{
    TempDir dir;
    std::ostringstream err;
    dir.Write("bad.webp", std::string("RIFF\x20\0\0\0WEBPVP8 ", 16) + std::string(16, '\x01'));
    dir.Write("show.toml", "[[media]]\nfile = \"bad.webp\"\nconvert = true\n");
    EXPECT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 1);
    EXPECT_THAT(err.str(),
                HasSubstr("show.toml:2: media[0].file: " + dir.File("bad.webp") + ": the WebP data does not decode"));
}

// Large JPEGs are stored sequential, with restart markers, keeping their pixels, their EXIF block and what
// their JFIF and Adobe markers say about their colours. Stored as they are: a JPEG marked already, one whose
// progressive scans stop short (decoders smooth its blocks), any when the render packs a manifest for itself;
// a damaged one is refused as before, not stored repaired.
TEST(Convert, LargeJpegsGainRestartMarkersAndKeepTheirPixels)
{
    TempDir dir;
    constexpr int kW = 1800, kH = 1200; // past the size the runtime decodes in two bands
    const std::string baseline = JpegWithOrientation(kW, kH, 1);
    const std::vector<uint8_t> rgba = Pattern(kW, kH);
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, rgba.data(), kW, kW * 4, kH, TJPF_RGBA, &out, &size, TJSAMP_422, 90, TJFLAG_PROGRESSIVE);
    const std::string progressive(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    const auto made = [&](const testjpeg::Format& format) {
        const std::vector<uint8_t> bytes = testjpeg::Encode(kW, kH, format, [&](int y, JSAMPLE* row) {
            for (int i = 0; i < kW * format.components; ++i)
                row[i] = static_cast<JSAMPLE>((i / 7 + y / 5) & 0xFF);
        });
        return std::string(bytes.begin(), bytes.end());
    };
    const std::string cmykWithoutAdobe = made({.components = 4, .adobeMarker = false});
    const std::string previewScans = made({.progressiveScans = 2});

    struct Case {
        const char* what;
        std::string original;
        bool rewritten;
    } cases[] = {{"baseline", baseline, true},
                 {"progressive", progressive, true},
                 {"CMYK without an Adobe marker", cmykWithoutAdobe, true},
                 {"progressive scans that stop short", previewScans, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("big.jpg", c.original);
        const Stored stored = PackOne(dir, "file = \"big.jpg\"\n", false, "big.jpg");
        DecodedImage before;
        ASSERT_TRUE(DecodeExtended(reinterpret_cast<const uint8_t*>(c.original.data()), c.original.size(), -1, before));
        EXPECT_EQ(stored.image.pixels, before.pixels);
        if (!c.rewritten) {
            EXPECT_EQ(stored.bytes, c.original);
            continue;
        }
        EXPECT_NE(stored.bytes.find("\xFF\xDD"), std::string::npos) << "a restart interval";
        EXPECT_NE(stored.bytes.find("\xFF\xC0"), std::string::npos) << "a sequential frame";
        EXPECT_EQ(stored.bytes.find("JFIF") != std::string::npos, c.original.find("JFIF") != std::string::npos);
        EXPECT_EQ(stored.bytes.find("JFIF"), stored.bytes.rfind("JFIF")) << "one JFIF marker at most";
        EXPECT_EQ(stored.bytes.find("Adobe") != std::string::npos, c.original.find("Adobe") != std::string::npos);
        if (c.original == baseline) {
            EXPECT_NE(ReadJpegExif(reinterpret_cast<const uint8_t*>(stored.bytes.data()), stored.bytes.size())
                          .orientationOffset,
                      0u);
            dir.Write("big.jpg", stored.bytes);
            EXPECT_EQ(PackOne(dir, "file = \"big.jpg\"\n", false, "big.jpg").bytes, stored.bytes) << "marked already";
        }
    }
    dir.Write("big.jpg", baseline);
    EXPECT_EQ(PackOne(dir, "file = \"big.jpg\"\n", false, "big.jpg", false).bytes, baseline);
    std::ostringstream err;
    dir.Write("big.jpg", baseline.substr(0, baseline.size() * 3 / 4));
    EXPECT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("big.jpg"));
}

namespace {

// A JPEG of one colour, carrying an ICC profile made with the primaries given (x, y of red, green, blue).
std::string JpegWithProfile(uint8_t r, uint8_t g, uint8_t b, const cmsCIExyYTRIPLE& primaries, const char* name)
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", name);
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string icc(size, '\0');
    cmsSaveProfileToMem(profile, icc.data(), &size);
    cmsMLUfree(description);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(gamma);
    const std::vector<uint8_t> rgba = [&] {
        std::vector<uint8_t> p(16 * 16 * 4);
        for (size_t i = 0; i < p.size(); i += 4)
            p[i] = r, p[i + 1] = g, p[i + 2] = b, p[i + 3] = 255;
        return p;
    }();
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long jpegSize = 0;
    tjCompress2(tj, rgba.data(), 16, 16 * 4, 16, TJPF_RGBA, &out, &jpegSize, TJSAMP_444, 98, 0);
    std::string jpeg(reinterpret_cast<const char*>(out), jpegSize);
    tjFree(out);
    tjDestroy(tj);
    const std::string body = std::string("ICC_PROFILE\0\x01\x01", 14) + icc;
    const std::string app2 =
        std::string("\xFF\xE2") + char((body.size() + 2) >> 8) + char((body.size() + 2) & 0xFF) + body;
    return jpeg.substr(0, 2) + app2 + jpeg.substr(2);
}

} // namespace

// Pictures whose colours are described in a wider space than sRGB are stored in sRGB, and the pack says so; sRGB
// ones stay as they are. Drawings become PNG pictures at their own size.
TEST(Convert, WideGamutPhotosBecomeSrgbAndDrawingsBecomePictures)
{
    TempDir dir;
    const cmsCIExyYTRIPLE adobe = {{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}};
    const cmsCIExyYTRIPLE srgb = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    const std::string wide = JpegWithProfile(60, 160, 60, adobe, "Adobe RGB (1998)");
    dir.Write("wide.jpg", wide);
    std::ostringstream err;
    dir.Write("show.toml", "[[media]]\nfile = \"wide.jpg\"\n");
    ASSERT_EQ(RunPack({dir.File("show.toml"), dir.File("show.db"), ""}, err), 0) << err.str();
    EXPECT_THAT(err.str(),
                HasSubstr("show.toml:2: media[0].file: wide.jpg: colours converted from \"Adobe RGB (1998)\" "
                          "to sRGB, re-encoded as JPEG of quality 95"));
    const Stored stored = PackOne(dir, "file = \"wide.jpg\"\n", false, "wide.jpg");
    EXPECT_EQ(stored.bytes.find("ICC_PROFILE"), std::string::npos);
    // The same numbers mean a purer green in Adobe RGB: in sRGB the red it carried falls away.
    const uint32_t pixel = stored.image.pixels[0];
    EXPECT_LT(static_cast<int>(pixel >> 16 & 0xFF), 30);
    EXPECT_NEAR(static_cast<int>(pixel >> 8 & 0xFF), 160, 8);

    const std::string plain = JpegWithProfile(60, 160, 60, srgb, "sRGB IEC61966-2.1");
    dir.Write("plain.jpg", plain);
    EXPECT_EQ(PackOne(dir, "file = \"plain.jpg\"\n", false, "plain.jpg").bytes, plain);

    dir.Write("drawing.svg",
              "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" "
              "height=\"20\"><rect width=\"20\" height=\"20\" fill=\"#ff0000\"/></svg>");
    const Stored drawn = PackOne(dir, "file = \"drawing.svg\"\n", false, "drawing.png");
    ASSERT_EQ(drawn.image.width, 40);
    ASSERT_EQ(drawn.image.height, 20);
    EXPECT_EQ(drawn.image.pixels[0] & 0xFFFFFF, kRed);
    EXPECT_TRUE(drawn.image.hasAlpha) << "the right half is transparent";
}
