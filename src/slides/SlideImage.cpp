#include "slides/SlideImage.h"
#include "codecs/PictureLoad.h"

#include "codecs/BuiltinExpic.h"
#include "codecs/ImageFormat.h"
#include "codecs/ScaledJpeg.h"
#include "gfx/Picture.h"
#include "model/MediaFile.h"
#include "slides/SlideGeometry.h"

#include <cstdint>
#include <vector>

namespace {

// A JPEG that the system decoder would read (by its name) decoded at the scale its use allows; false
// when the picture must load the usual way.
bool LoadScaled(Picture& picture, const uint8_t* data, size_t size, const std::string& name,
                const std::function<SlideImageUse(int, int)>& useFor, int& fullWidth, int& fullHeight)
{
    int w = 0, h = 0;
    if (ClassifyImageFile(name) != kFormatJpeg || !ReadScalableJpegSize(data, size, w, h))
        return false;
    const SlideImageUse use = useFor(w, h);
    const int eighths = JpegScaleFor(use.sourceW, use.sourceH, use.destW, use.destH);
    if (eighths >= 8 || !DecodeJpegAtScale(data, size, eighths, picture))
        return false;
    fullWidth = w;
    fullHeight = h;
    return true;
}

} // namespace

int LoadSlideImage(Picture& picture, const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                   const std::string& executablePath)
{
    int w = 0, h = 0;
    return LoadSlideImageFor(picture, options, media, fileName, executablePath, nullptr, w, h);
}

int LoadSlideImageFor(Picture& picture, const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                      const std::string& executablePath, const std::function<SlideImageUse(int, int)>& useFor,
                      int& fullWidth, int& fullHeight)
{
    MediaFileSource source = FindSlideImage(options, media, fileName, executablePath);
    return DecodeSlideImage(picture, source, fileName, useFor, fullWidth, fullHeight);
}

MediaFileSource FindSlideImage(const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                               const std::string& executablePath)
{
    if (!media)
        return MediaFileSource{};
    return FindMediaFile(options, *media, fileName, executablePath, false);
}

int DecodeSlideImage(Picture& picture, MediaFileSource& source, const std::string& fileName,
                     const std::function<SlideImageUse(int, int)>& useFor, int& fullWidth, int& fullHeight)
{
    picture.Free();
    fullWidth = fullHeight = -1;
    if (!source.found)
        return 0;
    if (useFor) {
        std::vector<uint8_t> file;
        if (source.inDatabase) {
            if (LoadScaled(picture, source.bytes.GetData(), source.bytes.GetSize(), fileName, useFor, fullWidth,
                           fullHeight))
                return 1;
        } else if (ClassifyImageFile(source.path) == kFormatJpeg &&
                   ReadImageFile(source.path, kMaxEncodedImageBytes, file) &&
                   LoadScaled(picture, file.data(), file.size(), source.path, useFor, fullWidth, fullHeight)) {
            return 1;
        }
    }
    const int loaded =
        source.inDatabase ? LoadFromStream(picture, source.bytes, fileName) : LoadFromFile(picture, source.path);
    // A decoder that rejects the data may report success with nothing loaded.
    if (!loaded || !picture.IsLoaded())
        return 0;
    fullWidth = picture.Width();
    fullHeight = picture.Height();
    return 1;
}

SlideImageUse ZoomedSlideUse(int scaleMode, int w, int h, Size frame, int zoomPercent)
{
    const SlideScale s = ScaleSlide(scaleMode, w, h, frame.cx, frame.cy);
    return SlideImageUse{s.srcW, s.srcH, static_cast<int>(int64_t{s.destW} * zoomPercent / 100),
                         static_cast<int>(int64_t{s.destH} * zoomPercent / 100)};
}

void LoadedSource(const Picture& image, int fullW, int fullH, int& srcW, int& srcH)
{
    if (fullW > 0)
        srcW = static_cast<int>(static_cast<int64_t>(srcW) * image.Width() / fullW);
    if (fullH > 0)
        srcH = static_cast<int>(static_cast<int64_t>(srcH) * image.Height() / fullH);
}
