#pragma once
#include <cstdint>

class MediaSettingsRecord;

// An item's pan and zoom: while the picture is shown it zooms from 100 % to `zoomPercent` and its view moves
// from one point to another, each given as a share (0 to 100 %) of the room the zoom leaves across and down.
//
// Kept in the media settings record's last sixteen bytes, which nothing else reads: the tag "QMpz" at 148,
// then the end zoom (u16, percent) at 152, a flag at 154 (nonzero: the points below are chosen; zero: a random
// direction), and the two points' x and y (u8 percent each) at 156 to 159. A record without the tag has no
// pan and zoom, so older projects, whatever those bytes hold, keep showing still pictures, and older runtimes
// play a newer project's pictures still.
struct PanZoomSetting {
    static constexpr int kDefaultZoom = 110;
    static constexpr int kMinZoom = 100, kMaxZoom = 400;

    bool enabled = false;
    int zoomPercent = kDefaultZoom;
    bool pointsChosen = false; // false: the show's random numbers choose a direction
    int fromX = 50, fromY = 50, toX = 50, toY = 50;

    bool operator==(const PanZoomSetting&) const = default;
};

// The setting the record holds; values out of range are brought within it.
PanZoomSetting ReadPanZoom(const MediaSettingsRecord& record);
// Writes the setting into the record's bytes (all sixteen zero when it is off).
void WritePanZoom(MediaSettingsRecord& record, const PanZoomSetting& setting);
