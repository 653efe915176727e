#include "model/PanZoomSetting.h"

#include <algorithm>

#include "model/MediaSettingsRecord.h"

namespace {

constexpr size_t kTag = 148, kZoom = 152, kChosen = 154, kFromX = 156, kFromY = 157, kToX = 158, kToY = 159;
constexpr size_t kEnd = 164;
constexpr uint8_t kTagBytes[4] = {'Q', 'M', 'p', 'z'};

int Percent(const MediaSettingsRecord& r, size_t offset)
{
    return std::min<int>(r.U8(offset), 100);
}

} // namespace

PanZoomSetting ReadPanZoom(const MediaSettingsRecord& r)
{
    PanZoomSetting s;
    for (size_t i = 0; i < 4; ++i) {
        if (r.U8(kTag + i) != kTagBytes[i])
            return s;
    }
    s.enabled = true;
    const int zoom = r.U8(kZoom) | r.U8(kZoom + 1) << 8;
    s.zoomPercent = std::clamp(zoom, PanZoomSetting::kMinZoom, PanZoomSetting::kMaxZoom);
    s.pointsChosen = r.Flag(kChosen);
    if (s.pointsChosen) {
        s.fromX = Percent(r, kFromX);
        s.fromY = Percent(r, kFromY);
        s.toX = Percent(r, kToX);
        s.toY = Percent(r, kToY);
    }
    return s;
}

void WritePanZoom(MediaSettingsRecord& r, const PanZoomSetting& s)
{
    for (size_t i = kTag; i < kEnd; ++i)
        r.SetU8(i, 0);
    if (!s.enabled)
        return;
    for (size_t i = 0; i < 4; ++i)
        r.SetU8(kTag + i, kTagBytes[i]);
    const int zoom = std::clamp(s.zoomPercent, PanZoomSetting::kMinZoom, PanZoomSetting::kMaxZoom);
    r.SetU8(kZoom, static_cast<uint8_t>(zoom & 0xFF));
    r.SetU8(kZoom + 1, static_cast<uint8_t>(zoom >> 8));
    r.SetFlag(kChosen, s.pointsChosen);
    if (s.pointsChosen) {
        r.SetU8(kFromX, static_cast<uint8_t>(std::clamp(s.fromX, 0, 100)));
        r.SetU8(kFromY, static_cast<uint8_t>(std::clamp(s.fromY, 0, 100)));
        r.SetU8(kToX, static_cast<uint8_t>(std::clamp(s.toX, 0, 100)));
        r.SetU8(kToY, static_cast<uint8_t>(std::clamp(s.toY, 0, 100)));
    }
}
