#include "slides/SlideGeometry.h"

#include <algorithm>

namespace {

int Trunc(double v)
{
    return static_cast<int>(v);
}

// A stored text position far beyond any picture stays far beyond it, but leaves room for the text's own
// extent to be added without overflowing.
int ClampStoredPosition(int v)
{
    constexpr int kLimit = 1 << 28;
    return std::clamp(v, -kLimit, kLimit);
}

} // namespace

SlideSize FitInside(int imageW, int imageH, int frameW, int frameH)
{
    if (imageW == 0 || imageH == 0 || frameH == 0)
        return {0, 0};
    const float iw = static_cast<float>(imageW);
    const float ih = static_cast<float>(imageH);
    const float fw = static_cast<float>(frameW);
    const float fh = static_cast<float>(frameH);
    // The two ratios compared are single precision; the sizes are computed in double from the
    // single-precision values of the four integers.
    const float ri = iw / ih;
    const float rf = fw / fh;
    const double hOverW = static_cast<double>(ih) / static_cast<double>(iw);
    const double wOverH = static_cast<double>(iw) / static_cast<double>(ih);
    SlideSize out;
    if (rf < ri) {
        out.width = frameW;
        out.height = Trunc(static_cast<double>(fw) * hOverW);
        if (out.height > frameH) {
            out.height = frameH;
            out.width = Trunc(static_cast<double>(fh) * wOverH);
        }
    } else {
        out.height = frameH;
        out.width = Trunc(static_cast<double>(fh) * wOverH);
        if (out.width > frameW) {
            out.width = frameW;
            out.height = Trunc(static_cast<double>(fw) * hOverW);
        }
    }
    return out;
}

SlideSize CropToFrameAspect(int imageW, int imageH, int frameW, int frameH)
{
    if (frameW == 0 || frameH == 0)
        return {imageW, imageH};
    const double fw = frameW;
    const double fh = frameH;
    // A picture smaller than the frame would ask for more than it has along the other side; the source then
    // spans the picture that way instead, so it keeps the frame's aspect and stays inside the picture.
    if (imageH < imageW) {
        const int sw = Trunc(fw / fh * imageH);
        if (sw <= imageW)
            return {sw, imageH};
        return {imageW, Trunc(fh / fw * imageW)};
    }
    const int sh = Trunc(fh / fw * imageW);
    if (sh <= imageH)
        return {imageW, sh};
    return {Trunc(fw / fh * imageH), imageH};
}

SlideScale ScaleSlide(int scaleMode, int imageW, int imageH, int frameW, int frameH)
{
    SlideScale s{imageW, imageH, imageW, imageH};
    const bool larger = imageW > frameW || imageH > frameH;
    switch (scaleMode) {
    case 0:
        if (larger) {
            const SlideSize fit = FitInside(imageW, imageH, frameW, frameH);
            s.destW = fit.width;
            s.destH = fit.height;
        }
        break;
    case 1: {
        const SlideSize fit = FitInside(imageW, imageH, frameW, frameH);
        s.destW = fit.width;
        s.destH = fit.height;
        break;
    }
    case 2: {
        const SlideSize src =
            larger ? FitInside(imageW, imageH, frameW, frameH) : CropToFrameAspect(imageW, imageH, frameW, frameH);
        s.srcW = src.width;
        s.srcH = src.height;
        s.destW = frameW;
        s.destH = frameH;
        break;
    }
    case 3:
        s.destW = frameW;
        s.destH = frameH;
        break;
    default: break;
    }
    return s;
}

int CentredOffset(int frame, int size)
{
    return (frame - size) / 2;
}

int RandomOffset(int frame, int size, int randomValue)
{
    const int room = frame - size;
    if (room <= 0)
        return 0; // nothing to choose from (a modulo by zero otherwise)
    if (randomValue < 0)
        randomValue = -randomValue;
    return randomValue % room;
}

TextPoint PlaceText(int code, int pictureW, int pictureH, int textW, int textH, int storedX, int storedY)
{
    const int centreX = (pictureW - textW) / 2;
    const int rightX = pictureW - textW - 20; // the right edge keeps a margin
    const int bottomY = pictureH - textH;
    const int middleY = (pictureH - textH) / 2;
    switch (code) {
    case 0: return {centreX, 0};
    case 1: return {0, 0};
    case 2: return {rightX, 0};
    case 3: return {centreX, bottomY};
    case 4: return {0, bottomY};
    case 5: return {rightX, bottomY};
    case 6: return {centreX, middleY};
    case 7: return {0, middleY};
    case 8: return {rightX, middleY};
    case 9: return {ClampStoredPosition(storedX), ClampStoredPosition(storedY)};
    default: return {0, 0};
    }
}
