#include "scrpack/commands/Progress.h"

#include "scrpack/files/WatchedFileSize.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define QM_ISATTY _isatty
#define QM_FILENO _fileno
#else
#include <unistd.h>
#define QM_ISATTY isatty
#define QM_FILENO fileno
#endif

bool Progress::Enabled()
{
    return QM_ISATTY(QM_FILENO(stderr)) != 0;
}

Progress::Progress(std::string what, uint64_t total) : what_(std::move(what)), total_(total), enabled_(Enabled())
{
}

Progress::~Progress()
{
    Finish();
}

void Progress::Draw(uint64_t done)
{
    if (!enabled_ || total_ == 0)
        return;
    const int percent = static_cast<int>(std::min<uint64_t>(done, total_) * 100 / total_);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    std::fprintf(stderr, "\r%s: %3d%% (%llu of %llu MB)", what_.c_str(), percent,
                 static_cast<unsigned long long>(done >> 20), static_cast<unsigned long long>(total_ >> 20));
    std::fflush(stderr);
    drawn_ = true;
}

void Progress::Set(uint64_t done)
{
    done_ = done;
    Draw(done);
}

void Progress::WatchFile(const std::string& path)
{
    if (!enabled_ || watcher_.joinable())
        return;
    watcher_ = std::thread([this, path] {
        while (!stop_) {
            const int64_t size = WatchedFileSize(path);
            if (size > 0)
                Draw(static_cast<uint64_t>(size));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    });
}

void Progress::Finish()
{
    stop_ = true;
    if (watcher_.joinable())
        watcher_.join();
    if (drawn_) {
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(what_.size() + 40), "");
        std::fflush(stderr);
        drawn_ = false;
    }
}
