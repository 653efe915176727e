#pragma once
// A headless show over an in-memory playlist with players that record what they are asked to do.
#include "db/FileBase.h"
#include "model/MediaPlaylist.h"
#include "model/ShuffleBag.h"
#include "model/UserSettings.h"
#include "saver/HeadlessHost.h"
#include "saver/HeadlessShow.h"
#include "saver/SaverMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct Item {
    Item(int32_t t, std::string f, bool m = false, std::string s = {})
        : type(t), fileName(std::move(f)), music(m), boundSound(std::move(s))
    {
    }
    int32_t type;
    std::string fileName;
    bool music;
    std::string boundSound;
};

// Everything the players and the list are asked, in order, as readable lines.
using Journal = std::vector<std::string>;

inline bool Contains(const Journal& journal, const std::string& line)
{
    return std::find(journal.begin(), journal.end(), line) != journal.end();
}

class MemoryMediaList : public IMediaList {
public:
    MemoryMediaList(std::vector<Item> items, IClock& clock) : items_(std::move(items)), bag_(clock) { }
    int Count() override { return int(items_.size()); }
    int32_t MediaType() override { return items_.empty() ? 0 : items_[current_].type; }
    std::string FileName() override { return items_.empty() ? "" : items_[current_].fileName; }
    bool PlaysMusic() override { return !items_.empty() && items_[current_].music; }
    std::string BoundSound() override { return items_.empty() ? "" : items_[current_].boundSound; }
    void SelectNext(bool random) override
    {
        const int n = Count();
        if (random)
            current_ = size_t(bag_.Next(n));
        else
            current_ = int(current_) < n - 1 ? current_ + 1 : 0;
    }
    std::optional<UpcomingItem> PeekNext(bool random) override
    {
        const int n = Count();
        std::optional<int> next = int(current_) < n - 1 ? int(current_) + 1 : 0;
        if (random)
            next = bag_.Peek(n);
        if (n <= 0 || !next)
            return std::nullopt;
        const Item& item = items_[size_t(*next)];
        return UpcomingItem{*next, item.type, item.fileName, false};
    }
    bool ReadMediaData(const std::string& name, FileBase& out) override
    {
        return dataFound && out.Write(name.data(), name.size());
    }
    std::string GetStoredName(const std::string& fileName) override { return storedPrefix + fileName; }
    MediaPlaylist* Settings() override { return nullptr; }
    MediaTable* Media() override { return nullptr; }
    void Close() override { journal->push_back("media close"); }

    size_t Current() const { return current_; }
    std::string storedPrefix;
    bool dataFound = true;
    Journal* journal = nullptr;

private:
    std::vector<Item> items_;
    size_t current_ = 0;
    ShuffleBag bag_;
};

// An image player whose slides finish slideMs after ShowSlide, unless stopped. It notes what it is asked
// under its number, the order in which the show made its players.
class RecordingSlidePlayer : public ISlidePlayer {
public:
    RecordingSlidePlayer(HeadlessHost& loop, Journal& journal, uint32_t slideMs, int number,
                         std::function<void()> onPresent)
        : loop_(loop), journal_(journal), slideMs_(slideMs), number_(number), onPresent_(std::move(onPresent))
    {
        Note("create");
    }
    ~RecordingSlidePlayer() override { Note("destroy"); }
    void SetMode(StartMode) override { Note("mode"); }
    void SetSettings(UserSettings*, ProjectInfo*) override { Note("settings"); }
    void SetMedia(MediaTable*) override { Note("media"); }
    void ShowSlide(MediaPlaylist*) override
    {
        Note("show");
        onPresent_();
        pending_ = loop_.PostAfter(slideMs_, ShowMsg::kItemFinished);
    }
    void StopTransition() override
    {
        Note("stop");
        loop_.Cancel(pending_);
    }
    void Hide(int hide) override { journal_.push_back("image hide " + std::to_string(hide)); }
    void PrepareSlide(const std::string& fileName, bool, int) override
    {
        journal_.push_back("image prepare " + fileName);
    }

private:
    void Note(const char* what) { journal_.push_back(std::string("image ") + what + " " + std::to_string(number_)); }
    HeadlessHost& loop_;
    Journal& journal_;
    uint32_t slideMs_;
    int number_;
    std::function<void()> onPresent_;
    uint64_t pending_ = 0;
};

// A sound player whose tracks last lengthMs (0: Play fails).
class RecordingSoundPlayer : public ISoundPlayer {
public:
    RecordingSoundPlayer(HeadlessHost& loop, Journal& journal, std::string name, uint32_t endMessage, uint32_t lengthMs)
        : loop_(loop), journal_(journal), name_(std::move(name)), endMessage_(endMessage), lengthMs_(lengthMs)
    {
    }
    ~RecordingSoundPlayer() override { journal_.push_back(name_ + " destroyed"); }
    bool Play(const std::string& path) override
    {
        journal_.push_back(name_ + " play " + path);
        if (lengthMs_ == 0)
            return false;
        playing_ = true;
        paused_ = false;
        remaining_ = lengthMs_;
        Schedule();
        return true;
    }
    void Pause() override
    {
        if (!playing_ || paused_)
            return;
        journal_.push_back(name_ + " pause");
        paused_ = true;
        remaining_ -= uint32_t(loop_.Now() - startedAt_);
        loop_.Cancel(pending_);
    }
    void Resume() override
    {
        if (!playing_ || !paused_)
            return;
        journal_.push_back(name_ + " resume");
        paused_ = false;
        Schedule();
    }
    void Stop() override
    {
        journal_.push_back(name_ + " stop");
        playing_ = false;
        loop_.Cancel(pending_);
    }

private:
    void Schedule()
    {
        startedAt_ = loop_.Now();
        pending_ = loop_.At(startedAt_ + remaining_, [this] {
            playing_ = false;
            loop_.Post(endMessage_);
        });
    }
    HeadlessHost& loop_;
    Journal& journal_;
    std::string name_;
    uint32_t endMessage_;
    uint32_t lengthMs_;
    uint32_t remaining_ = 0;
    uint64_t startedAt_ = 0;
    uint64_t pending_ = 0;
    bool playing_ = false;
    bool paused_ = false;
};

class RecordingVideoPlayer : public IVideoPlayer {
public:
    RecordingVideoPlayer(HeadlessHost& loop, Journal& journal, int serial, uint32_t movieMs,
                         std::function<void()> onPresent)
        : loop_(loop),
          journal_(journal),
          name_("video#" + std::to_string(serial)),
          movieMs_(movieMs),
          onPresent_(std::move(onPresent))
    {
        journal_.push_back(name_ + " created");
    }
    ~RecordingVideoPlayer() override
    {
        loop_.Cancel(pending_);
        journal_.push_back(name_ + " destroyed");
    }
    void SetVideoPath(const std::string& path) override
    {
        path_ = path;
        journal_.push_back(name_ + " path " + path);
    }
    void SetMediaSetting(MediaPlaylist*) override { }
    void SetMedia(MediaTable*) override { }
    void DrawBackground() override { }
    void Show() override
    {
        journal_.push_back(name_ + " show");
        if (onPresent_)
            onPresent_();
        if (!path_.empty())
            pending_ = loop_.PostAfter(movieMs_, ShowMsg::kItemFinished);
    }
    void HideBehind() override { journal_.push_back(name_ + " hide"); }
    void CloseVideo(int send) override
    {
        journal_.push_back(name_ + " close " + std::to_string(send));
        loop_.Cancel(pending_);
    }

private:
    HeadlessHost& loop_;
    Journal& journal_;
    std::string name_;
    uint32_t movieMs_;
    std::string path_;
    uint64_t pending_ = 0;
    std::function<void()> onPresent_;
};

class ListSoundTable : public ISoundTable {
public:
    std::vector<std::string> tracks;
    bool loop = true;
    std::string GetNextMusic(const std::string&, bool, bool, bool, bool) override
    {
        if (tracks.empty())
            return "";
        if (next_ >= tracks.size()) {
            if (!loop)
                return "";
            next_ = 0;
        }
        return tracks[next_++];
    }
    std::string GetSoundFile(const std::string&, const std::string& name, bool, bool) override
    {
        return name.empty() ? "" : "sounds\\" + name;
    }
    void RemoveTemporaryFiles() override { journal->push_back("sound table cleanup"); }
    Journal* journal = nullptr;

private:
    size_t next_ = 0;
};

// One show with everything recorded.
class ShowFixture : public ::testing::Test {
protected:
    std::vector<Item> items{{0, "a.jpg"}, {0, "b.jpg"}, {0, "c.jpg"}};
    SequencerOptions options;
    UserSettings settings;
    uint32_t slideMs = 2000;
    uint32_t musicMs = 0;      // 0: music never plays
    uint32_t boundSoundMs = 0; // 0: bound sounds never play
    uint32_t movieMs = 5000;
    ISaverFiles* files = nullptr;
    std::string storedPrefix; // where stored names of videos point
    bool mediaDataFound = true;
    bool slideWindowMade = true; // false: the system refuses the image player's window

    HeadlessHost loop{1000};
    Journal journal;
    std::unique_ptr<MemoryMediaList> media;
    int slideWindowsAsked = 0;
    int slidePlayersMade = 0;
    ListSoundTable sounds;
    std::unique_ptr<HeadlessShow> show;
    int videoSerial = 0;
    std::vector<std::pair<uint64_t, uint32_t>> messages;     // (time, message) as delivered
    std::vector<std::pair<uint64_t, std::string>> presented; // (time, file) of every item put on screen

    void Presented() { presented.emplace_back(loop.Now(), media->FileName()); }

    void Start()
    {
        media = std::make_unique<MemoryMediaList>(items, loop.Clock());
        media->journal = &journal;
        media->storedPrefix = storedPrefix;
        media->dataFound = mediaDataFound;
        sounds.journal = &journal;
        options.settings = &settings;
        HeadlessShowParts parts;
        parts.media = media.get();
        parts.sounds = &sounds;
        parts.createSlidePlayer = [this]() -> std::unique_ptr<ISlidePlayer> {
            ++slideWindowsAsked;
            if (!slideWindowMade)
                return nullptr;
            return std::make_unique<RecordingSlidePlayer>(loop, journal, slideMs, slidePlayersMade++,
                                                          [this] { Presented(); });
        };
        parts.files = files;
        parts.createSoundPlayer = [this](uint32_t endMessage) -> std::unique_ptr<ISoundPlayer> {
            const bool music = endMessage == ShowMsg::kMusicEnded;
            return std::make_unique<RecordingSoundPlayer>(loop, journal, music ? "music" : "bound", endMessage,
                                                          music ? musicMs : boundSoundMs);
        };
        parts.createVideoPlayer = [this]() -> std::unique_ptr<IVideoPlayer> {
            return std::make_unique<RecordingVideoPlayer>(loop, journal, ++videoSerial, movieMs,
                                                          [this] { Presented(); });
        };
        loop.onPosted = [this](uint64_t now, uint32_t message, uint32_t) { messages.emplace_back(now, message); };
        show = std::make_unique<HeadlessShow>(loop, settings, options, std::move(parts));
        show->Start();
    }

    std::vector<std::string> Entries(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& line : journal) {
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        }
        return out;
    }
    std::vector<std::string> PresentedFiles() const
    {
        std::vector<std::string> out;
        for (const auto& p : presented)
            out.push_back(p.second);
        return out;
    }
};
