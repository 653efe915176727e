#pragma once
#include <array>
#include <string>

#include "gfx/Geometry.h"
#include "slides/StartMode.h"

class Picture;
class ProjectInfo;
class MediaTable;
class MediaPlaylist;
class ProjectDatabase;
class UserSettings;
class IRandom;

// Paints the background of one slide into a target picture: a solid colour, a picture (the desktop
// snapshot, a random project image or one of the item's selected background images) stretched, centred or
// tiled, or one of twelve gradients, chosen at random among what the media item allows. The same painter
// draws the slide's title and description.
class SlideBackground {
public:
    static constexpr int kPaletteSize = 36;
    // 0..12 solid colours; 12 + g and 24 + g (g = 0..11) the two colours of gradient pair g.
    static const std::array<Colorref, kPaletteSize> kPalette;
    static constexpr int kSolidColours = 13;
    static constexpr int kGradientPairs = 12;

    SlideBackground();
    virtual ~SlideBackground();
    SlideBackground(const SlideBackground&) = delete;
    SlideBackground& operator=(const SlideBackground&) = delete;

    void Bind(MediaPlaylist* mediaSetting, ProjectInfo* project, UserSettings* settings);
    void SetTarget(Picture* target) { target_ = target; }
    void SetMediaTable(MediaTable* media) { mediaTable_ = media; }
    // The project database, for the background image table and the walk over the media items.
    void SetDatabase(ProjectDatabase* db) { db_ = db; }
    // Vertical dots per inch of the target's device, for the text heights (96 unless set).
    void SetLogPixelsY(int dpi) { dpiY_ = dpi > 0 ? dpi : 96; }
    // Where the desktop snapshot "kadodsk.bmp" is looked for (the temp folder unless set).
    void SetSnapshotFolder(const std::string& folder) { snapshotFolder_ = folder; }

    void PaintBackground();
    // PaintBackground, then the texts unless the start mode is Preview (3).
    void PaintAll(StartMode startMode);
    void DrawTitle();
    void DrawDescription();

    void DrawGradient(Colorref first, Colorref second, int style, Picture& target);
    void DrawBackgroundPicture(Picture& target, int placement, int tileCount, const Picture& picture,
                               bool randomTileCount);
    void TilePicture(Picture& target, const Picture& tile);
    int LoadProjectImage(Picture& picture);
    int LoadSelectedBackground(Picture& picture);

private:
    IRandom& Random() const;
    int PickAtRandom(const std::string& list) const;
    void PaintPicture();
    void DrawSnapshot();
    int LoadNamedImage(const std::string& fileName, Picture& picture);

    Picture* target_ = nullptr;
    MediaPlaylist* mediaSetting_ = nullptr;
    ProjectInfo* project_ = nullptr;
    MediaTable* mediaTable_ = nullptr;
    ProjectDatabase* db_ = nullptr;
    std::string snapshotFolder_;
    int dpiY_ = 96;
};

// Tile size for tiling a w x h picture over a target `targetWidth` wide with `across` tiles: width at least
// 16 (a count of 0 or less counts as 1); height from the picture's aspect, 0 when it truncates to nothing,
// at most INT_MAX.
Size BackgroundTileSize(int targetWidth, int across, int pictureW, int pictureH);
