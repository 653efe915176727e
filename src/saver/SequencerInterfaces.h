#pragma once
#include "media/MediaInterfaces.h"
#include "slides/SlidePlayerInterface.h"
#include "slides/StartMode.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FileBase;
class UserSettings;
class ProjectInfo;
class MediaPlaylist;
class MediaTable;
struct UpcomingItem;

// The playlist: the current item and the way to the next.
class IMediaList {
public:
    virtual ~IMediaList() = default;
    virtual int Count() = 0;
    virtual int32_t MediaType() = 0;
    virtual std::string FileName() = 0;
    virtual bool PlaysMusic() = 0;
    virtual std::string BoundSound() = 0;
    virtual void SelectNext(bool random) = 0;
    // The item SelectNext(random) will move to, when that is known already.
    virtual std::optional<UpcomingItem> PeekNext(bool random) = 0;
    // Appends the stored bytes of the media file whose name contains the file-name part of the path to out,
    // a piece at a time; false when there is no such file or a write fails.
    virtual bool ReadMediaData(const std::string& fileName, FileBase& out) = 0;
    // The stored name of the file a path refers to ("" when none).
    virtual std::string GetStoredName(const std::string& fileName) = 0;
    // The objects handed on to the players.
    virtual MediaPlaylist* Settings() = 0;
    virtual MediaTable* Media() = 0;
    virtual void Close() = 0;
};

// File operations on paths with backslashes.
class ISaverFiles {
public:
    virtual ~ISaverFiles() = default;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    virtual bool CreateDirectories(const std::string& path) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Creates (or replaces) the file with what fill writes into it; false, with nothing left at the path
    // and what was there kept, when the file cannot be made or fill fails.
    virtual bool WriteFile(const std::string& path, const std::function<bool(FileBase&)>& fill) = 0;
    virtual std::string TempDirectory() = 0;
};

// What the sequencer needs from its window.
class ISequencerHost {
public:
    virtual ~ISequencerHost() = default;
    virtual WindowRef Window() = 0;
    virtual void SetTimer(uint32_t id, uint32_t ms) = 0;
    virtual void KillTimer(uint32_t id) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Topmost at (0, 0) with the window's own size, shown, not activated.
    virtual void MakeTopmost() = 0;
    virtual std::unique_ptr<IVideoPlayer> CreateVideoPlayer() = 0;
    // The image slide-show player, in a slide window made as a child of this window; null when that window
    // cannot be made.
    virtual std::unique_ptr<ISlidePlayer> CreateSlidePlayer() = 0;
    virtual ISaverFiles& Files() = 0;
};
