#pragma once
#include "gfx/Picture.h"
#include "media/MciCommands.h"
#include "media/VideoPlayer.h"
#include "saver/EventLoop.h"

#include <functional>
#include <memory>
#include <vector>

// A sound player of a show without windows of its own: its polling timer runs in the loop's time and its
// end message goes to the show's window.
std::unique_ptr<ISoundPlayer> CreateHeadlessSoundPlayer(EventLoop& loop, IMciCommands& mci, uint32_t endMessage);

// The video players of a show without windows of its own and the picture they put on screen: the item's
// background over the whole window and, in the panel, what the device draws there (black when it draws
// nothing).
class HeadlessVideos {
public:
    // Draws the video attached to a panel within the panel's area of the target; false when none plays there.
    using DrawPanel = std::function<bool(WindowRef panel, Picture& target, const Rect& area)>;

    HeadlessVideos(EventLoop& loop, Size screen, IMciCommands& mci, VideoPlayerSetup setup, DrawPanel draw);
    ~HeadlessVideos();
    HeadlessVideos(const HeadlessVideos&) = delete;
    HeadlessVideos& operator=(const HeadlessVideos&) = delete;

    std::unique_ptr<IVideoPlayer> Create();
    // The topmost visible video player's picture at the loop's current time, as large as that player's
    // window; null when none is visible. With `changed`, only what may have changed since the last call is
    // drawn again (the panel, while the same player stays on top), and that rectangle is given.
    const Picture* Screen(Rect* changed = nullptr);
    // The size of the players made from now on (the show's window was resized).
    void SetScreenSize(Size size) { screen_ = size; }

private:
    class Window;
    friend class Window;

    EventLoop& loop_;
    Size screen_;
    IMciCommands& mci_;
    VideoPlayerSetup setup_;
    DrawPanel draw_;
    std::vector<Window*> windows_; // in z-order, the top last
    Picture canvas_;
    uint64_t nextSerial_ = 0;
    uint64_t composedFor_ = 0; // the serial of the window the canvas shows; 0 when it must be drawn anew
};
