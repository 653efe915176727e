#include "scrpack/studio/EffectPreviews.h"

#include "render/RenderFrames.h"
#include "render/RenderShow.h"
#include "scrpack/manifest/ManifestFields.h"
#include "scrpack/studio/PictureJpeg.h"
#include "scrpack/studio/PreviewDatabase.h"
#include "transitions/EffectNames.h"
#include "transitions/EffectRun.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Keeps copies of chosen frames of a render.
class FrameGrab final : public IFrameOutput {
public:
    FrameGrab(int first, int second) : first_(first), second_(second) { }
    bool Write(int index, const Picture& screen, bool, std::string&) override
    {
        if (index == first_ || index == second_) {
            Picture& copy = index == first_ ? before : after;
            if (screen.IsLoaded() && copy.CreateBlank(screen.Width(), screen.Height()))
                screen.Draw(0, 0, copy);
        }
        return true;
    }
    Picture before;
    Picture after;

private:
    int first_;
    int second_;
};

std::string ItemKey(const PackPlan& plan, size_t index)
{
    const PackedItem& item = plan.items[index];
    std::string key = ToHex(item.record.Bytes().data(), item.record.Bytes().size()) + item.media.file.sourcePath;
    std::error_code ec;
    key += std::to_string(fs::file_size(item.media.file.sourcePath, ec)) + "|" +
        std::to_string(fs::last_write_time(item.media.file.sourcePath, ec).time_since_epoch().count());
    for (const auto& [field, text] : item.texts)
        key += "|" + field + "=" + text;
    return key;
}

} // namespace

std::shared_ptr<const EffectPreviews::Screens> EffectPreviews::Compose(const PackPlan& plan, size_t from, size_t to,
                                                                       int width, int height, std::string& error)
{
    if (from >= plan.items.size() || to >= plan.items.size()) {
        error = "no such item";
        return nullptr;
    }
    const std::string key = ItemKey(plan, from) + "\n" + ItemKey(plan, to) + "\n" +
        ToHex(plan.project.options.Bytes().data(), ProjectOptions::kSize) + std::to_string(width) + "x" +
        std::to_string(height);
    std::lock_guard lock(mutex_);
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->first == key) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().second;
        }
    }
    // Each item stays one second and comes in at once: the render's frame at 0.5 s shows the first item,
    // the one at 1.5 s the second, each exactly as the show composes it.
    const std::string folder = workFolder_ + "/compose-" + std::to_string(serial_++);
    std::error_code ec;
    fs::create_directories(folder, ec);
    PreviewRequest request;
    request.items = {from, to};
    request.withTransitions = false;
    request.displaySeconds = 1;
    request.withSound = false;
    const std::string database = folder + "/preview.db";
    auto screens = std::make_shared<Screens>();
    bool ok = WritePreviewDatabase(plan, request, prepared_, folder, database, error);
    if (ok) {
        FrameGrab grab(1, 3);
        RenderOptions options;
        options.programPath = database;
        options.frameOutput = &grab;
        options.width = width;
        options.height = height;
        options.fps = 2;
        options.seconds = 2;
        RenderResult result;
        ok = RenderShow(options, result, error);
        if (ok && (!grab.before.IsLoaded() || !grab.after.IsLoaded())) {
            error = "the show's renderer gave no picture";
            ok = false;
        }
        screens->before = std::move(grab.before);
        screens->after = std::move(grab.after);
    }
    fs::remove_all(folder, ec);
    if (!ok)
        return nullptr;
    cache_.emplace_front(key, screens);
    if (cache_.size() > 6)
        cache_.pop_back();
    return screens;
}

bool EffectPreviews::Render(const PackPlan& plan, size_t from, size_t to, int effect, int width, int height,
                            Strip& strip, std::string& error)
{
    if (effect < -1 || effect >= kEffectCount) {
        error = "no such effect";
        return false;
    }
    auto screens = Compose(plan, from, to, width, height, error);
    if (!screens)
        return false;
    // The item's own speed, in proportion to the preview's width against a screen 1280 pixels wide, so a
    // small preview takes about as long as the show does.
    const int speed = plan.items[to].record.I32(MediaSettingsRecord::kTransitionSpeed);
    EffectRunOptions run;
    run.index = effect;
    run.step = std::max(1, static_cast<int>(std::lround(speed * width / 1280.0)));
    const int maxFrames = std::min(100, 60000 / height);
    std::vector<Picture> frames;
    uint64_t now = 0, next = 0;
    strip.frameMs = 40;
    auto take = [&](const Picture& canvas) {
        Picture copy;
        copy.CreateBlank(width, height);
        canvas.Draw(0, 0, copy);
        frames.push_back(std::move(copy));
        if (static_cast<int>(frames.size()) >= maxFrames) {
            // A long effect: every other frame goes, at half the rate.
            std::vector<Picture> kept;
            for (size_t i = 0; i < frames.size(); i += 2)
                kept.push_back(std::move(frames[i]));
            frames = std::move(kept);
            strip.frameMs *= 2;
        }
        next += static_cast<uint64_t>(strip.frameMs);
    };
    Picture canvas;
    canvas.CreateBlank(width, height);
    screens->before.Draw(0, 0, canvas);
    take(canvas);
    RunEffect(canvas, screens->before, screens->after, run, [&](const Picture& shown, const EffectFrame& frame) {
        now += frame.delayMs;
        while (now >= next)
            take(shown);
    });
    take(canvas);
    Picture sheet;
    if (!sheet.CreateBlank(width, height * static_cast<int>(frames.size()))) {
        error = "out of memory";
        return false;
    }
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i].Draw(0, height * static_cast<int>(i), sheet);
    strip.jpeg = EncodePictureJpeg(sheet, 80);
    strip.frames = static_cast<int>(frames.size());
    strip.width = width;
    strip.height = height;
    if (strip.jpeg.empty()) {
        error = "cannot encode the preview";
        return false;
    }
    return true;
}
