#include <windows.h>
#include <wincodec.h>

#include "scrpack/pictures/PictureConvert.h"

#include "codecs/BuiltinExpic.h"

#include "scrpack/files/SourceFiles.h"
#include "scrpack/files/Utf8Path.h"
#include "scrpack/files/WorkFolder.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/Orientation.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/pictures/PictureMarkers.h"

#include <algorithm>
#include <cstring>

// The Windows scrpack converts with the system's imaging component (WIC): it reads what the machine has decoders
// for (TIFF everywhere; WebP and HEIF where Microsoft's extensions are installed), turns and re-encodes photos.
// It has no colour management of its own, and no SVG renderer.

namespace {

constexpr float kJpegQuality = 0.95f;

template <class T> struct Com {
    T* p = nullptr;
    ~Com()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// COM for the calls of one conversion; a thread that has it already keeps it as it was.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) { }
    ~ComScope()
    {
        if (ok_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

IWICImagingFactory* Factory()
{
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        throw ConvertError("the system's imaging component cannot be started");
    return factory;
}

struct Bgra {
    UINT width = 0;
    UINT height = 0;
    std::vector<uint8_t> pixels; // B G R A, top row first
    bool HasAlpha() const
    {
        for (size_t i = 3; i < pixels.size(); i += 4) {
            if (pixels[i] != 255)
                return true;
        }
        return false;
    }
};

// The first frame of the file, turned as the orientation says (1: as stored).
Bgra Decode(IWICImagingFactory* factory, const std::string& path, const std::string& kind, int orientation)
{
    Com<IWICBitmapDecoder> decoder;
    const HRESULT opened = factory->CreateDecoderFromFilename(PathFromUtf8(path).wstring().c_str(), nullptr,
                                                              GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
    if (opened == WINCODEC_ERR_COMPONENTNOTFOUND)
        throw ConvertError("this machine has no decoder for " + kind + " pictures", kind);
    Com<IWICBitmapFrameDecode> frame;
    if (FAILED(opened) || FAILED(decoder->GetFrame(0, &frame)))
        throw ConvertError("the " + kind + " data does not decode");
    Com<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted)))
        throw ConvertError("the " + kind + " data does not decode");
    Bgra image;
    if (FAILED(converted->GetSize(&image.width, &image.height)) || image.width == 0 || image.height == 0 ||
        static_cast<uint64_t>(image.width) * image.height > kMaxImagePixels)
        throw ConvertError("the picture's size is empty or too large");
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    if (FAILED(converted->CopyPixels(nullptr, image.width * 4, static_cast<UINT>(image.pixels.size()),
                                     image.pixels.data())))
        throw ConvertError("the " + kind + " data does not decode (damaged or cut short)");
    if (orientation < 2 || orientation > 8)
        return image;
    // Turned here rather than by the imaging component's flip-rotator, which not every implementation turns.
    Bgra upright;
    upright.width = SwapsSides(orientation) ? image.height : image.width;
    upright.height = SwapsSides(orientation) ? image.width : image.height;
    upright.pixels.resize(image.pixels.size());
    ForEachUprightPixel(orientation, static_cast<int>(image.width), static_cast<int>(image.height),
                        [&](int x, int y, int sx, int sy) {
                            std::memcpy(&upright.pixels[(static_cast<size_t>(y) * upright.width + x) * 4],
                                        &image.pixels[(static_cast<size_t>(sy) * image.width + sx) * 4], 4);
                        });
    return upright;
}

std::string Encode(IWICImagingFactory* factory, const Bgra& image, bool png)
{
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    const auto fail = [&] {
        return ConvertError(std::string("the picture cannot be encoded as ") + (png ? "PNG" : "JPEG"));
    };
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(factory->CreateEncoder(png ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)))
        throw fail();
    if (!png && options) {
        PROPBAG2 option{};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = kJpegQuality;
        options->Write(1, &option, &value);
    }
    // JPEG holds no opacity: its pixels go as B G R.
    std::vector<uint8_t> bgr;
    const uint8_t* pixels = image.pixels.data();
    UINT stride = image.width * 4;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (!png) {
        bgr.resize(static_cast<size_t>(image.width) * image.height * 3);
        for (size_t i = 0, n = bgr.size() / 3; i < n; ++i)
            std::memcpy(&bgr[3 * i], &image.pixels[4 * i], 3);
        pixels = bgr.data();
        stride = image.width * 3;
        format = GUID_WICPixelFormat24bppBGR;
    }
    if (FAILED(frame->Initialize(options.p)) || FAILED(frame->SetSize(image.width, image.height)) ||
        FAILED(frame->SetPixelFormat(&format)) ||
        (format != (png ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR)) ||
        FAILED(frame->WritePixels(image.height, stride, stride * image.height, const_cast<BYTE*>(pixels))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        throw fail();
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.p, &memory)))
        throw fail();
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* data = GlobalLock(memory);
    std::string out(static_cast<const char*>(data), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return out;
}

std::string WriteConverted(const std::string& source, const std::string& workFolder, const std::string& bytes,
                           const std::string& extension)
{
    const std::string path = WriteIntoFolder(workFolder, source, bytes, extension);
    if (path.empty())
        throw ConvertError("cannot write the converted picture into " + workFolder);
    return path;
}

// A colour profile other than sRGB's, which this scrpack cannot convert: said, so the author knows.
bool ForeignProfile(const std::vector<uint8_t>& icc)
{
    static const char kSrgb[] = "sRGB";
    return !icc.empty() && std::search(icc.begin(), icc.end(), kSrgb, kSrgb + 4) == icc.end();
}

const char* const kColourNote = "its colour profile is not sRGB's and is kept as it is (the Windows scrpack does not "
                                "convert colours; the Linux scrpack converts them to sRGB)";

} // namespace

bool CanConvertPicture(const std::string& path, const std::string& kind)
{
    if (kind == "SVG")
        return false;
    ComScope com;
    Com<IWICImagingFactory> factory;
    factory.p = Factory();
    Com<IWICBitmapDecoder> decoder;
    return factory->CreateDecoderFromFilename(PathFromUtf8(path).wstring().c_str(), nullptr, GENERIC_READ,
                                              WICDecodeMetadataCacheOnDemand,
                                              &decoder) != WINCODEC_ERR_COMPONENTNOTFOUND;
}

PreparedPicture ConvertPicture(const std::string& path, const std::string& workFolder)
{
    PreparedPicture prepared{path, "", {}};
    constexpr uint64_t kHead = 1u << 20;
    std::vector<uint8_t> head;
    if (!ReadSourceFile(path, kHead, head))
        return prepared;
    const std::string kind = PictureKind(head.data(), head.size());
    if (kind == "SVG")
        throw ConvertError("this machine cannot draw SVG pictures", kind);
    const int orientation = kind == "JPEG" ? ReadJpegExif(head.data(), head.size()).orientation : 1;
    const std::vector<uint8_t> icc = kind == "JPEG" ? JpegIccProfile(head.data(), head.size()) : std::vector<uint8_t>();
    if (!NeedsConversion(kind) && orientation == 1) {
        if (ForeignProfile(icc))
            prepared.changes.push_back(kColourNote);
        return prepared;
    }
    ComScope com;
    Com<IWICImagingFactory> factory;
    factory.p = Factory();
    const Bgra image = Decode(factory.p, path, kind, orientation);
    if (kind == "JPEG") {
        std::vector<uint8_t> bytes;
        if (!ReadSourceFile(path, kMaxEncodedImageBytes, bytes))
            throw ConvertError("cannot be read, is empty or is too large for a picture");
        const std::string encoded =
            WithMarkersOf(std::string(bytes.begin(), bytes.end()), Encode(factory.p, image, false));
        prepared.changes.push_back("stood upright, re-encoded as JPEG of quality 95");
        if (ForeignProfile(icc))
            prepared.changes.push_back(kColourNote);
        prepared.path = WriteConverted(path, workFolder, encoded, Utf8Of(PathFromUtf8(path).extension()));
        return prepared;
    }
    // Lossless sources and pictures with transparency become PNG, photos JPEG.
    const bool png = kind == "TIFF" || image.HasAlpha();
    prepared.extension = png ? ".png" : ".jpg";
    prepared.changes.push_back("converted from " + kind + " to " + (png ? "PNG" : "JPEG"));
    prepared.path = WriteConverted(path, workFolder, Encode(factory.p, image, png), prepared.extension);
    return prepared;
}

std::optional<std::string> RestartMarkedCopy(const std::string&, const std::string&)
{
    return std::nullopt;
}
