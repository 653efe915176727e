#include "slides/PanZoom.h"

#include <algorithm>
#include <cmath>

#include "gfx/Picture.h"
#include "model/Random.h"

namespace {

// The eight directions a random pan takes, as start and end points in percent.
constexpr int kDirections[8][4] = {{0, 50, 100, 50}, {100, 50, 0, 50}, {50, 0, 50, 100}, {50, 100, 50, 0},
                                   {0, 0, 100, 100}, {100, 100, 0, 0}, {100, 0, 0, 100}, {0, 100, 100, 0}};

} // namespace

PanZoomPath PanZoomPath::For(const PanZoomSetting& s, IRandom& random)
{
    PanZoomPath path;
    path.zoomPercent = std::clamp(s.zoomPercent, PanZoomSetting::kMinZoom, PanZoomSetting::kMaxZoom);
    if (s.pointsChosen) {
        path.fromX = s.fromX;
        path.fromY = s.fromY;
        path.toX = s.toX;
        path.toY = s.toY;
        return path;
    }
    const int* d = kDirections[static_cast<unsigned>(random.Next()) % 8u];
    path.fromX = d[0];
    path.fromY = d[1];
    path.toX = d[2];
    path.toY = d[3];
    return path;
}

PanZoomView PanZoomPath::ViewAt(double t, int sourceW, int sourceH) const
{
    t = std::clamp(t, 0.0, 1.0);
    const double zoom = 1.0 + (zoomPercent / 100.0 - 1.0) * t;
    PanZoomView v;
    v.width = sourceW / zoom;
    v.height = sourceH / zoom;
    const double fx = (fromX + (toX - fromX) * t) / 100.0, fy = (fromY + (toY - fromY) * t) / 100.0;
    v.left = (sourceW - v.width) * fx;
    v.top = (sourceH - v.height) * fy;
    return v;
}

void DrawPanZoomView(Picture& target, const Picture& image, const PanZoomView& view)
{
    if (!target.IsLoaded() || !image.IsLoaded() || view.width <= 0 || view.height <= 0)
        return;
    const double kx = target.Width() / view.width, ky = target.Height() / view.height;
    // The whole source pixels that cover the view, and where they land around the target.
    const double x0 = std::floor(view.left), y0 = std::floor(view.top);
    const double x1 = std::min(std::ceil(view.left + view.width), double(image.Width()));
    const double y1 = std::min(std::ceil(view.top + view.height), double(image.Height()));
    const int left = static_cast<int>(std::lround((x0 - view.left) * kx));
    const int top = static_cast<int>(std::lround((y0 - view.top) * ky));
    const int right = static_cast<int>(std::lround((x1 - view.left) * kx));
    const int bottom = static_cast<int>(std::lround((y1 - view.top) * ky));
    const int previous = target.SetStretchBltMode(kHalftone);
    target.StretchBlt(left, top, right - left, bottom - top, image, static_cast<int>(x0), static_cast<int>(y0),
                      static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    target.SetStretchBltMode(previous);
}
