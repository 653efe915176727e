#include "slides/SlideBackground.h"
#include "base/TextCase.h"
#include "codecs/PictureLoad.h"

#include "db/DatabaseTable.h"
#include "db/ProjectDatabase.h"
#include "gfx/Gradient.h"
#include "gfx/Picture.h"
#include "model/IndexList.h"
#include "model/MediaPlaylist.h"
#include "model/ProjectInfo.h"
#include "model/Random.h"
#include "model/TableFields.h"
#include "platform/DiagnosticLog.h"
#include "platform/LogLines.h"
#include "platform/Paths.h"
#include "slides/SlideGeometry.h"
#include "slides/SlideImage.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int kMinTileWidth = 16;

} // namespace

const std::array<Colorref, SlideBackground::kPaletteSize> SlideBackground::kPalette = {
    // solid colours
    0x000000,
    0x008000,
    0x008080,
    0x808000,
    0x0000FF,
    0x00FF00,
    0x00FFFF,
    0xFF00FF,
    0xFFFF00,
    0x8000FF,
    0xC0DCC0,
    0xF0CAA6,
    // entry 12 is the last solid colour and the first gradient colour of pair 0
    0xFFFFFF,
    0x00FFFF,
    0x80FFFF,
    0x0080FF,
    0xFFFF00,
    0x00FF00,
    0x0080FF,
    0xFF8000,
    0x40FF00,
    0xFF8000,
    0x8000FF,
    0x008000,
    // second gradient colours
    0x0080FF,
    0x8000FF,
    0xFFFF00,
    0xFF80FF,
    0xFF0080,
    0x000000,
    0x00FFFF,
    0xFF00FF,
    0x00FFFF,
    0x80FF80,
    0x40FF00,
    0xFFFF00,
};

Size BackgroundTileSize(int targetWidth, int across, int pictureW, int pictureH)
{
    if (across < 1)
        across = 1;
    int tw = targetWidth / across;
    if (tw < kMinTileWidth)
        tw = kMinTileWidth;
    // A very tall picture's height saturates rather than wrapping round to a wrong, small tile.
    const long long th = pictureW > 0 ? static_cast<long long>(tw) * pictureH / pictureW : 0;
    return {tw, static_cast<int>(std::min<long long>(th, std::numeric_limits<int>::max()))};
}

SlideBackground::SlideBackground() = default;

SlideBackground::~SlideBackground() = default;

void SlideBackground::Bind(MediaPlaylist* mediaSetting, ProjectInfo* project, UserSettings*)
{
    mediaSetting_ = mediaSetting;
    project_ = project;
}

IRandom& SlideBackground::Random() const
{
    return mediaSetting_ ? mediaSetting_->Random() : StandardRandom();
}

int SlideBackground::PickAtRandom(const std::string& list) const
{
    int position = -1;
    return PickFromIndexList(list, true, position, Random());
}

void SlideBackground::PaintAll(StartMode startMode)
{
    PaintBackground();
    if (startMode != StartMode::Preview) {
        DrawTitle();
        DrawDescription();
    }
}

void SlideBackground::PaintBackground()
{
    if (!target_ || !target_->IsLoaded() || !mediaSetting_)
        return;
    const MediaSettingsRecord& record = mediaSetting_->Record();
    std::string kinds;
    if (record.BackgroundSolid())
        kinds += "0;";
    if (record.BackgroundPicture())
        kinds += "1;";
    if (record.BackgroundGradient())
        kinds += "2;";
    if (kinds.empty())
        kinds = "0;";

    switch (PickAtRandom(kinds)) {
    case 0: {
        const Colorref colour = record.PresetColour() ? kPalette[static_cast<size_t>(Random().Next() % kSolidColours)]
                                                      : record.BackgroundColour();
        target_->FillRect(target_->GetRect(), colour);
        break;
    }
    case 1: PaintPicture(); break;
    case 2: {
        const int style = PickAtRandom(mediaSetting_->GetGradientString());
        Colorref first = record.GradientColour1();
        Colorref second = record.GradientColour2();
        if (record.PresetGradient()) {
            // Twelve pairs: 12 + g and 24 + g for g = 0..11 (a thirteenth pair would run past the palette).
            const int g = Random().Next() % kGradientPairs;
            LogGradientBackground(DiagnosticLog::Instance(), g);
            first = kPalette[static_cast<size_t>(12) + static_cast<size_t>(g)];
            second = kPalette[static_cast<size_t>(24) + static_cast<size_t>(g)];
        }
        // No style to draw (an empty or unreadable list) leaves black, as a picture that cannot be loaded
        // does, rather than whatever the target held from the slide before.
        if (style < 0 || style >= kGradientStyleCount)
            target_->FillRect(target_->GetRect(), 0);
        DrawGradient(first, second, style, *target_);
        break;
    }
    default: break;
    }
}

void SlideBackground::PaintPicture()
{
    const MediaSettingsRecord& record = mediaSetting_->Record();
    std::string sources;
    if (record.SourceDesktop())
        sources += "0;";
    if (record.SourceImage())
        sources += "1;";
    if (record.SourceSelected())
        sources += "2;";
    if (sources.empty())
        sources = "1;";

    const int source = PickAtRandom(sources);
    if (source == 0) {
        DrawSnapshot();
        return;
    }
    Picture picture;
    const int loaded = source == 1 ? LoadProjectImage(picture) : LoadSelectedBackground(picture);
    if (loaded && picture.IsLoaded())
        DrawBackgroundPicture(*target_, record.Placement(), record.TileCount(), picture, record.RandomTileCount());
    else
        target_->FillRect(target_->GetRect(), 0);
}

void SlideBackground::DrawSnapshot()
{
    const std::string folder = snapshotFolder_.empty() ? TempDirectory() : snapshotFolder_;
    const std::string path = folder + "kadodsk.bmp";
    Picture snapshot;
    if (FileExists(path) && LoadFromFile(snapshot, path) && snapshot.IsLoaded())
        snapshot.Draw(0, 0, *target_); // unscaled: a larger target keeps the rest
    else
        target_->FillRect(target_->GetRect(), 0);
}

void SlideBackground::DrawGradient(Colorref first, Colorref second, int style, Picture& target)
{
    if (!target.IsLoaded())
        return;
    for (const GradientBand& band : GradientBands(first, second, style, target.Width(), target.Height())) {
        const Rect r{band.left, band.top, band.right, band.bottom};
        if (band.shape == GradientShape::Ellipse)
            target.Ellipse(r, Pen{band.colour, 2}, band.colour);
        else
            target.FillRect(r, band.colour);
    }
}

void SlideBackground::DrawBackgroundPicture(Picture& target, int placement, int tileCount, const Picture& picture,
                                            bool randomTileCount)
{
    if (!target.IsLoaded() || !picture.IsLoaded())
        return;
    const int w = target.Width();
    const int h = target.Height();
    if (placement == 3)
        placement = Random().Next() % 3;
    switch (placement) {
    case 0: picture.StretchDraw(0, 0, w, h, target); break;
    case 1: {
        target.FillRect(target.GetRect(), 0);
        SlideSize size{picture.Width(), picture.Height()};
        if (size.width > w || size.height > h)
            size = FitInside(picture.Width(), picture.Height(), w, h);
        picture.StretchDraw((w - size.width) / 2, (h - size.height) / 2, size.width, size.height, target);
        break;
    }
    case 2: {
        // A count of 0 or less would divide by zero; it counts as one tile across.
        const int count = tileCount < 1 ? 1 : tileCount;
        const int across = randomTileCount ? Random().Next() % count + 1 : count;
        const Size tileSize = BackgroundTileSize(w, across, picture.Width(), picture.Height());
        if (tileSize.cy <= 0)
            return; // a picture too wide for a tile of any height: skipped
        // Only the top of a tile taller than the target ever shows, so the tile is made no taller than the
        // target: a tall, narrow picture neither allocates nor scales rows that stay out of sight. (A height
        // past what a stretch can address leaves the tile black.)
        Picture tile;
        if (!tile.CreateBlank(tileSize.cx, std::min(tileSize.cy, h), 0))
            return;
        picture.StretchDraw(0, 0, tileSize.cx, tileSize.cy, tile);
        TilePicture(target, tile);
        break;
    }
    default: break;
    }
}

void SlideBackground::TilePicture(Picture& target, const Picture& tile)
{
    if (!target.IsLoaded() || !tile.IsLoaded())
        return;
    const int tw = tile.Width();
    const int th = tile.Height();
    for (int i = 0; i <= target.Width() / tw; ++i)
        for (int j = 0; j <= target.Height() / th; ++j)
            target.BitBlt(i * tw, j * th, tw, th, tile, 0, 0);
}

int SlideBackground::LoadNamedImage(const std::string& fileName, Picture& picture)
{
    if (!project_)
        return 0;
    return LoadSlideImage(picture, project_->Options(), mediaTable_, fileName, project_->GetExecutablePath());
}

int SlideBackground::LoadProjectImage(Picture& picture)
{
    if (!db_)
        return 0;
    // A table of our own: the media setting's current record stays where it is.
    DatabaseTable table;
    table.SetLoadBinaryFields(false);
    if (!table.Open(*db_, "setting"))
        return 0;
    std::vector<int> images;
    for (int i = 0; i < table.GetRecordCount(); ++i) {
        if (table.MoveTo(i) < 0)
            continue;
        uint8_t data[MediaSettingsRecord::kSize] = {};
        MediaSettingsRecord record;
        record.Assign(data, CopyRecordField(table, "data", data, sizeof data));
        if (record.MediaType() == MediaKind::kImage)
            images.push_back(i);
    }
    if (images.empty())
        return 0;
    table.MoveTo(images[static_cast<size_t>(Random().Next()) % images.size()]);
    const std::string fileName = ReadTextField(table, "filename");
    table.Close();
    return LoadNamedImage(fileName, picture);
}

int SlideBackground::LoadSelectedBackground(Picture& picture)
{
    if (!mediaSetting_ || !db_)
        return 0;
    const std::string& list = mediaSetting_->GetSelectedImageBackgroundString();
    if (list.empty())
        return 0;
    const int n = PickAtRandom(list);
    DatabaseTable table;
    table.SetLoadBinaryFields(false);
    if (!table.Open(*db_, "backimage"))
        return 0;
    if (n < 0 || n >= table.GetRecordCount() || table.MoveTo(n) < 0)
        return 0;
    const std::string name = LowerAnsi(FileNameOf(ReadTextField(table, "name")));
    table.Close();
    if (name.empty())
        return 0;
    return LoadNamedImage(name, picture);
}
