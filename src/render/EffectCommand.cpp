#include "render/EffectCommand.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/posix/SizeArgument.h"
#include "codecs/PictureLoad.h"
#include "gfx/Picture.h"
#include "render/RenderFrames.h"
#include "render/RenderShow.h"
#include "transitions/EffectNames.h"
#include "transitions/EffectRun.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxWindowSide = 8192;

bool ParsePoint(const std::string& text, Point& p)
{
    const char* const end = text.data() + text.size();
    auto [afterX, xError] = std::from_chars(text.data(), end, p.x);
    if (xError != std::errc() || afterX == end || *afterX != ',')
        return false;
    auto [afterY, yError] = std::from_chars(afterX + 1, end, p.y);
    return yError == std::errc() && afterY == end;
}

bool ParseColour(const std::string& text, Colorref& colour)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned rgb = 0;
    auto [after, err] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (err != std::errc() || after != text.data() + 7)
        return false;
    colour = MakeColorref((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return true;
}

// A picture that shows where every part of the slide went: colour ramps across and down, a grid every 16
// pixels and a frame around the edge.
void MakeTestSlide(Picture& slide, int width, int height)
{
    slide.CreateBlank(width, height, 0);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = slide.Row(y);
        for (int x = 0; x < width; ++x) {
            const int r = 64 + 191 * x / (width > 1 ? width - 1 : 1);
            const int g = 64 + 191 * y / (height > 1 ? height - 1 : 1);
            const bool line = x % 16 == 0 || y % 16 == 0 || x == width - 1 || y == height - 1;
            row[x] = line ? 0x00FFFFFF : static_cast<uint32_t>(r << 16 | g << 8 | 0x60);
        }
    }
}

// A dark checkerboard, so that background left showing is easy to tell from the slide.
void MakeTestBackground(Picture& background, int width, int height)
{
    background.CreateBlank(width, height, 0);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = background.Row(y);
        for (int x = 0; x < width; ++x)
            row[x] = ((x / 32 + y / 32) % 2) ? 0x00202830 : 0x00101418;
    }
}

bool LoadPicture(const std::string& path, Picture& picture, std::string& error)
{
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = path + " is a folder, not a picture";
        return false;
    }
    if (!fs::exists(path, ec)) {
        error = "no such file: " + path;
        return false;
    }
    if (!LoadFromFile(picture, path) || !picture.IsLoaded()) {
        error = "cannot decode " + path;
        return false;
    }
    return true;
}

bool WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string RectList(const std::vector<Rect>& rects)
{
    std::string text;
    for (const Rect& r : rects) {
        if (!text.empty())
            text += ';';
        text += std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.Width()) + ',' +
            std::to_string(r.Height());
    }
    return text;
}

} // namespace

int RunEffectCommand(const EffectCommandOptions& options, std::string& summary, std::string& error)
{
    // Everything is checked before anything is written.
    if (options.index < -1 || options.index >= kEffectCount) {
        error =
            "effect index " + std::to_string(options.index) + " is outside -1 to " + std::to_string(kEffectCount - 1);
        return 2;
    }
    int width = 0, height = 0;
    if (!ParseSizeArgument(options.window, width, height) || width < 1 || height < 1 || width > kMaxWindowSide ||
        height > kMaxWindowSide) {
        error = "--window wants WIDTHxHEIGHT from 1x1 to 8192x8192, as 640x480";
        return 2;
    }

    Picture slide;
    if (options.slidePath.empty()) {
        MakeTestSlide(slide, std::max(1, width / 2), std::max(1, height / 2));
    } else if (!LoadPicture(options.slidePath, slide, error)) {
        return 2;
    }
    if (slide.Width() > width || slide.Height() > height) {
        error = "the slide (" + std::to_string(slide.Width()) + "x" + std::to_string(slide.Height()) +
            ") is larger than the window (" + options.window + ")";
        return 2;
    }

    Picture background;
    Colorref colour = 0;
    if (options.background.empty()) {
        MakeTestBackground(background, width, height);
    } else if (options.background[0] == '#') {
        if (!ParseColour(options.background, colour)) {
            error = "--background colour wants #RRGGBB, as #203040";
            return 2;
        }
        background.CreateBlank(width, height, colour);
    } else {
        Picture picture;
        if (!LoadPicture(options.background, picture, error))
            return 2;
        // The background is window-sized: a picture of another size is stretched to it.
        background.CreateBlank(width, height, 0);
        picture.StretchDraw(0, 0, width, height, background);
    }

    EffectRunOptions run;
    run.index = options.index;
    run.step = options.step;
    run.stopAfter = options.stopAfter;
    run.at = {(width - slide.Width()) / 2, (height - slide.Height()) / 2};
    if (!options.at.empty() && !ParsePoint(options.at, run.at)) {
        error = "--at wants X,Y, as 10,20";
        return 2;
    }

    std::error_code ec;
    const fs::path dir(options.outDir);
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) {
        error = "cannot make the folder " + options.outDir;
        return 1;
    }
    // Frames of an earlier trace would mix with this one's.
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("frame-", 0) == 0 && entry.path().extension() == ".png")
            fs::remove(entry.path(), ec);
    }

    Picture canvas;
    canvas.CreateBlank(width, height, 0);
    std::string tsv;
    bool written = true;
    const EffectRunResult result =
        RunEffect(canvas, background, slide, run, [&](const Picture& shown, const EffectFrame& frame) {
            tsv += std::to_string(frame.number) + '\t' + std::to_string(frame.delayMs) + '\t' +
                RectList(frame.presented) + '\n';
            if (written)
                written = WriteFile(dir / RenderFrames::FrameName(frame.number), EncodePng(shown));
        });
    written = written && WriteFile(dir / "final.png", EncodePng(canvas)) && WriteFile(dir / "frames.tsv", tsv);
    if (!written) {
        error = "cannot write into " + options.outDir;
        return 1;
    }

    const char* name = EffectName(options.index);
    char line[256];
    std::snprintf(line, sizeof line, "%s: %d frames, %llu ms nominal, %.1f ms drawing%s", name ? name : "(plain copy)",
                  result.frames, static_cast<unsigned long long>(result.nominalMs), result.drawingSeconds * 1000.0,
                  result.completed ? "" : ", stopped");
    summary = line;
    return 0;
}
