#pragma once
#include "media/VideoPlayer.h"

#include <windows.h>

#include <memory>

// A video player in its dialog (template 146), a child of the screensaver window; null when the dialog
// cannot be made.
std::unique_ptr<IVideoPlayer> CreateVideoPlayer(HWND parent, const VideoPlayerSetup& setup);

// What a key press over a video player's dialog comes to before dialog processing: the player passes every
// key on to the screensaver window and keeps Enter and Escape from its own dialog processing.
enum class VideoKey {
    NotOverVideo, // the message is not for a video player
    Swallowed,    // passed on; nothing more to do
    PassedOn,     // passed on; the dialog processes it as usual
};
VideoKey PreTranslateVideoKey(const MSG& msg);
