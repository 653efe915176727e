#pragma once
#include "gfx/Picture.h"
#include "scrpack/manifest/ManifestModel.h"

#include <list>
#include <memory>
#include <mutex>
#include <string>

class PreparedPictures;

// The transition effects played on the author's own slides: the previous item's screen and the selected
// item's screen as the show's renderer composes them (background, scaling, titles), then one effect run by
// the transition engine from the one to the other, sampled at a steady frame rate.
class EffectPreviews {
public:
    EffectPreviews(std::string workFolder, PreparedPictures& prepared)
        : workFolder_(std::move(workFolder)), prepared_(prepared)
    {
    }

    struct Strip {
        std::string jpeg; // the frames one below the other, in one JPEG
        int frames = 0;
        int frameMs = 40; // time between two frames
        int width = 0;
        int height = 0;
    };

    // Effect `effect` (-1: none) from item `from` to item `to` at width × height. False with a message.
    bool Render(const PackPlan& plan, size_t from, size_t to, int effect, int width, int height, Strip& strip,
                std::string& error);

    // The two screens, composed once and kept for the next effects of the same pair.
    struct Screens {
        Picture before;
        Picture after;
    };
    std::shared_ptr<const Screens> Compose(const PackPlan& plan, size_t from, size_t to, int width, int height,
                                           std::string& error);

private:
    std::string workFolder_;
    PreparedPictures& prepared_;
    std::mutex mutex_; // one composition at a time: the show's start-up is not made for several at once
    std::list<std::pair<std::string, std::shared_ptr<const Screens>>> cache_; // latest first
    int serial_ = 0;
};
