#pragma once
#include <string>

class MediaPlaylist;
class MediaTable;

// A window of the host, opaque to portable code (an HWND on Windows).
using WindowRef = void*;

// A video player window; destroying the object destroys its window.
class IVideoPlayer {
public:
    virtual ~IVideoPlayer() = default;
    virtual void SetVideoPath(const std::string& path) = 0;
    virtual void SetMediaSetting(MediaPlaylist* media) = 0;
    virtual void SetMedia(MediaTable* media) = 0;
    virtual void DrawBackground() = 0;
    virtual void Show() = 0;
    // Bottom of the z-order at (0, 0) with the parent's size, hidden, not activated.
    virtual void HideBehind() = 0;
    virtual void CloseVideo(int send) = 0;
};

// A sound player that posts its end message to the window when a track has played to its end.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual bool Play(const std::string& path) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
};

// The background music and bound sounds of the project.
class ISoundTable {
public:
    virtual ~ISoundTable() = default;
    virtual std::string GetNextMusic(const std::string& programPath, bool random, bool loop, bool stored,
                                     bool besideExecutable) = 0;
    virtual std::string GetSoundFile(const std::string& programPath, const std::string& soundName, bool stored,
                                     bool besideExecutable) = 0;
    virtual void RemoveTemporaryFiles() = 0;
};
