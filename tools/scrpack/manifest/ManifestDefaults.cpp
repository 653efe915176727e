#include "scrpack/manifest/ManifestDefaults.h"

#include "model/UserSettings.h"

ProjectOptions DefaultProjectOptions()
{
    using P = ProjectOptions;
    P o;
    o.SetI32(P::kDisplayTime, 30);
    o.SetFlag(P::kMusicLoop, true);
    o.SetI32(P::kMusicPause, 60);
    o.SetFlag(P::kMusicRandom, true);
    o.SetFlag(P::kShowDialogPicture, true);
    o.SetFlag(P::kPublisherPage, true);
    o.SetFlag(P::kVisitWebsite, true);
    o.SetFlag(P::kHelpMenu, true);
    o.SetFlag(P::kMediaInDatabase, true);
    o.SetFlag(P::kMusicInDatabase, true);
    o.SetI32(P::kSlideBackgroundMode, 1);
    o.SetI32(P::kScaleMode, 1);
    o.SetFlag(P::kTransitionsPage, true);
    return o;
}

MediaSettingsRecord DefaultMediaRecord()
{
    using M = MediaSettingsRecord;
    M r;
    r.SetI32(0, 2);
    r.SetFlag(M::kPlayMusic, true);
    r.SetFlag(M::kShowTitle, true);
    r.SetU32(M::kTitleColour, 0x00ffffff);
    r.SetI32(M::kTitleSize, -24);
    r.SetFlag(M::kShowDesc, true);
    r.SetU32(M::kDescColour, 0x00ffffff);
    r.SetI32(M::kDescSize, -16);
    r.SetI32(M::kDescPosition, 3);
    r.SetFlag(M::kBackgroundSolid, true);
    r.SetU32(M::kGradientColour1, 0x00ffff00);
    r.SetU32(M::kGradientColour2, 0x00008080);
    r.SetFlag(M::kTransition, true);
    r.SetFlag(M::kRandomEffects, true);
    r.SetI32(M::kTransitionSpeed, 25);
    r.SetI32(100, -1);
    r.SetFlag(M::kSourceImage, true);
    r.SetI32(M::kPlacement, 2);
    r.SetI32(M::kTileCount, 3);
    r.SetI32(144, 3);
    return r;
}

std::map<std::string, std::string> DefaultItemTexts()
{
    std::map<std::string, std::string> texts;
    for (const char* field : kSettingTextFields)
        texts[field] = "";
    texts["titlefontname"] = "MS Sans Serif";
    texts["descfontname"] = "MS Sans Serif";
    texts["gradientstring"] = "0;";
    texts["effect"] = UserSettings::AllEffects();
    return texts;
}
