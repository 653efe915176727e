#pragma once
#include "model/MediaKind.h"
#include "model/StoredRecord.h"

// The 164-byte media settings record of one "setting" record, with named offsets.
// Colours are COLORREF values, 0x00BBGGRR.
class MediaSettingsRecord : public StoredRecord<164> {
public:
    enum Offset : size_t {
        kColourKey = 4,           // flag
        kPlayMusic = 5,           // flag
        kShowTitle = 6,           // flag
        kTitleCharset = 8,        // u8
        kTitleColour = 12,        // COLORREF
        kTitleSize = 16,          // i32 points
        kTitlePosition = 20,      // i32 position code
        kTitleX = 24,             // i32, position code 9
        kTitleY = 28,             // i32
        kShowDesc = 32,           // flag
        kDescCharset = 36,        // u8
        kDescColour = 40,         // COLORREF
        kDescSize = 44,           // i32
        kDescPosition = 48,       // i32
        kDescX = 52,              // i32
        kDescY = 56,              // i32
        kBackgroundSolid = 60,    // flag, style 0 allowed
        kBackgroundPicture = 61,  // flag, style 1 allowed
        kBackgroundGradient = 62, // flag, style 2 allowed
        kBackgroundColour = 64,   // COLORREF
        kGradientColour1 = 68,    // COLORREF
        kGradientColour2 = 72,    // COLORREF
        kTransition = 76,         // flag
        kRandomEffects = 77,      // flag
        kTransitionSpeed = 80,    // i32
        kMediaType = 104,         // i32: MediaKind
        kVideoMode = 120,         // i32, 0 to 5
        kSourceDesktop = 124,     // flag
        kSourceImage = 125,       // flag
        kSourceSelected = 126,    // flag
        kPresetGradient = 127,    // flag
        kPresetColour = 128,      // flag
        kPlacement = 132,         // i32: 0 stretch, 1 centre, 2 tile, 3 random
        kTileCount = 136,         // i32
        kRandomTileCount = 141,   // flag
    };

    bool ColourKey() const { return Flag(kColourKey); }
    bool PlayMusic() const { return Flag(kPlayMusic); }
    bool ShowTitle() const { return Flag(kShowTitle); }
    uint8_t TitleCharset() const { return U8(kTitleCharset); }
    uint32_t TitleColour() const { return U32(kTitleColour); }
    int32_t TitleSize() const { return I32(kTitleSize); }
    int32_t TitlePosition() const { return I32(kTitlePosition); }
    int32_t TitleX() const { return I32(kTitleX); }
    int32_t TitleY() const { return I32(kTitleY); }
    bool ShowDesc() const { return Flag(kShowDesc); }
    uint8_t DescCharset() const { return U8(kDescCharset); }
    uint32_t DescColour() const { return U32(kDescColour); }
    int32_t DescSize() const { return I32(kDescSize); }
    int32_t DescPosition() const { return I32(kDescPosition); }
    int32_t DescX() const { return I32(kDescX); }
    int32_t DescY() const { return I32(kDescY); }
    bool BackgroundSolid() const { return Flag(kBackgroundSolid); }
    bool BackgroundPicture() const { return Flag(kBackgroundPicture); }
    bool BackgroundGradient() const { return Flag(kBackgroundGradient); }
    uint32_t BackgroundColour() const { return U32(kBackgroundColour); }
    uint32_t GradientColour1() const { return U32(kGradientColour1); }
    uint32_t GradientColour2() const { return U32(kGradientColour2); }
    bool Transition() const { return Flag(kTransition); }
    bool RandomEffects() const { return Flag(kRandomEffects); }
    int32_t TransitionSpeed() const { return I32(kTransitionSpeed); }
    int32_t MediaType() const { return I32(kMediaType); }
    int32_t VideoMode() const { return I32(kVideoMode); }
    bool SourceDesktop() const { return Flag(kSourceDesktop); }
    bool SourceImage() const { return Flag(kSourceImage); }
    bool SourceSelected() const { return Flag(kSourceSelected); }
    bool PresetGradient() const { return Flag(kPresetGradient); }
    bool PresetColour() const { return Flag(kPresetColour); }
    int32_t Placement() const { return I32(kPlacement); }
    int32_t TileCount() const { return I32(kTileCount); }
    bool RandomTileCount() const { return Flag(kRandomTileCount); }
};
