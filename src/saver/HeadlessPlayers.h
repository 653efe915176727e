#pragma once
#include "gfx/ComPicture.h"
#include "media/MciCommands.h"
#include "media/VideoPlayer.h"
#include "saver/HeadlessHost.h"

#include <functional>
#include <memory>
#include <vector>

// A sound player of the headless show: its polling timer runs in the host's virtual time and its end
// message goes to the show's window.
std::unique_ptr<ISoundPlayer> CreateHeadlessSoundPlayer(CHeadlessHost& loop, IMciCommands& mci, uint32_t endMessage);

// The video players of a headless show and the picture they put on screen: the item's background over the
// whole window and, in the panel, what the device draws there (black when it draws nothing).
class CHeadlessVideos {
public:
    // Draws the video attached to a panel within the panel's area of the target; false when none plays there.
    using DrawPanel = std::function<bool(WindowRef panel, CComPicture& target, const Rect& area)>;

    CHeadlessVideos(CHeadlessHost& loop, Size screen, IMciCommands& mci, VideoPlayerSetup setup, DrawPanel draw);
    ~CHeadlessVideos();
    CHeadlessVideos(const CHeadlessVideos&) = delete;
    CHeadlessVideos& operator=(const CHeadlessVideos&) = delete;

    std::unique_ptr<IVideoPlayer> Create();
    // The topmost visible video player's picture at the host's current time; null when none is visible.
    const CComPicture* Screen();

private:
    class Window;
    friend class Window;

    CHeadlessHost& loop_;
    Size screen_;
    IMciCommands& mci_;
    VideoPlayerSetup setup_;
    DrawPanel draw_;
    std::vector<Window*> windows_; // in z-order, the top last
    CComPicture canvas_;
};
