#pragma once
#include "scrpack/manifest/ManifestModel.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class PreparedPictures;

// The whole show in the page, with its sound, from any item: rendered by the show's renderer in virtual time
// into a fragmented MP4 that the page plays (Media Source Extensions) while the render goes on, so it starts
// after the first fragment instead of after the whole show. One preview at a time: a new one ends the last.
class ShowPreview {
public:
    ShowPreview(std::string workFolder, PreparedPictures& prepared)
        : workFolder_(std::move(workFolder)), prepared_(prepared)
    {
    }
    ~ShowPreview();

    struct Started {
        int id = 0;
        int seconds = 0; // how long the preview runs: one round of the items
    };
    // Starts rendering from item `from` at width × height. False with a message.
    bool Start(const PackPlan& plan, size_t from, int width, int height, Started& started, std::string& error);
    // Ends the running preview.
    void Stop();

    // Hands the bytes of preview `id` to `write` as they are rendered, until the render ends, the preview is
    // replaced, or write returns false (the page went away).
    void Stream(int id, const std::function<bool(const char*, size_t)>& write);

private:
    struct Run {
        int id = 0;
        std::string folder;
        std::string video;
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        std::string error;
        std::thread thread;
    };

    std::string workFolder_;
    PreparedPictures& prepared_;
    std::mutex mutex_;
    std::shared_ptr<Run> run_;
    int serial_ = 0;
};
