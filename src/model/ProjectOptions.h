#pragma once
#include "model/StoredRecord.h"

// The 80-byte project options record of the "project" table, with named offsets.
class ProjectOptions : public StoredRecord<80> {
public:
    enum Offset : size_t {
        kRunAsExe = 8,             // i32, 1 forces the "run as an exe file" mode
        kRandomPosition = 20,      // flag
        kRandomOrder = 21,         // flag
        kDisplayTime = 24,         // i32 seconds
        kMusicLoop = 28,           // flag
        kMusicPause = 32,          // i32 seconds
        kMusicRandom = 36,         // flag
        kShowDialogPicture = 37,   // flag
        kPublisherPage = 38,       // flag: Publisher page (else Description)
        kVisitWebsite = 39,        // flag, together with kPublisherPage
        kHelpMenu = 56,            // flag
        kMediaInDatabase = 58,     // flag
        kMusicInDatabase = 59,     // flag
        kSlideBackgroundMode = 60, // i32
        kScaleMode = 64,           // i32, 0 to 3
        kBesideExecutable = 68,    // flag
        kTransitionsPage = 76,     // flag
    };

    bool ForcesExeMode() const { return I32(kRunAsExe) == 1; }
    bool RandomPosition() const { return Flag(kRandomPosition); }
    bool RandomOrder() const { return Flag(kRandomOrder); }
    int32_t DisplayTime() const { return I32(kDisplayTime); }
    bool MusicLoop() const { return Flag(kMusicLoop); }
    int32_t MusicPause() const { return I32(kMusicPause); }
    bool MusicRandom() const { return Flag(kMusicRandom); }
    bool ShowDialogPicture() const { return Flag(kShowDialogPicture); }
    bool PublisherPage() const { return Flag(kPublisherPage); }
    bool VisitWebsite() const { return Flag(kPublisherPage) && Flag(kVisitWebsite); }
    bool HelpMenu() const { return Flag(kHelpMenu); }
    bool MediaInDatabase() const { return Flag(kMediaInDatabase); }
    bool MusicInDatabase() const { return Flag(kMusicInDatabase); }
    int32_t SlideBackgroundMode() const { return I32(kSlideBackgroundMode); }
    int32_t ScaleMode() const { return I32(kScaleMode); }
    bool BesideExecutable() const { return Flag(kBesideExecutable); }
    bool TransitionsPage() const { return Flag(kTransitionsPage); }
};
