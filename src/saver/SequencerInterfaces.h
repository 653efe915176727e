#pragma once
#include "media/MediaInterfaces.h"
#include "saver/StartMode.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UserSettings;
class ProjectInfo;
class MediaPlaylist;
class MediaTable;

// The eight operations through which the screensaver window drives the image slide-show player. A player
// number outside the player list raises std::invalid_argument.
class IImagePlayerInterface {
public:
    virtual ~IImagePlayerInterface() = default;
    virtual int CreatePlayer(WindowRef parent) = 0;
    virtual void DestroyPlayer(int player) = 0;
    virtual void SetPlayerSettings(int player, UserSettings* settings, ProjectInfo* project) = 0;
    virtual void ShowSlide(int player, MediaPlaylist* media) = 0;
    virtual void StopTransition(int player) = 0;
    virtual void HidePlayer(int player, int hide) = 0;
    virtual void SetPlayerMode(int player, StartMode mode) = 0;
    virtual void SetPlayerMedia(int player, MediaTable* media) = 0;
};

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
    // The stored bytes of the media file whose name contains the file-name part of the path.
    virtual bool ReadMediaData(const std::string& fileName, std::vector<uint8_t>& out) = 0;
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
    // Creates (or truncates) the file and writes the bytes; false when it cannot be created.
    virtual bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
    virtual std::string TempDirectory() = 0;
};

// What the sequencer needs from its window.
class ISequencerHost {
public:
    virtual ~ISequencerHost() = default;
    virtual WindowRef Window() = 0;
    virtual void SetTimer(uint32_t id, uint32_t ms) = 0;
    virtual void KillTimer(uint32_t id) = 0;
    virtual void Sleep(uint32_t ms) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Topmost at (0, 0) with the window's own size, shown, not activated.
    virtual void MakeTopmost() = 0;
    virtual std::unique_ptr<IVideoPlayer> CreateVideoPlayer() = 0;
    virtual ISaverFiles& Files() = 0;
};
