#pragma once
#include <string>

#include "slides/StartMode.h"

class MediaPlaylist;
class MediaTable;
class ProjectInfo;
class UserSettings;

// The image slide-show player as the screensaver window drives it. The window makes it through its host
// before the first image item and configures it once (mode, settings, media table, in that order); then it
// shows one slide per image item, stops the transition before it leaves an item, hides the player when a
// video follows, and destroys it (which stops a running transition and takes the slide window away) when
// the window closes.
class ISlidePlayer {
public:
    virtual ~ISlidePlayer() = default;
    virtual void SetMode(StartMode mode) = 0;
    virtual void SetSettings(UserSettings* settings, ProjectInfo* project) = 0;
    virtual void SetMedia(MediaTable* media) = 0;
    // Composes the media item's slide and starts its transition; the window is told (WM_USER+8) once the
    // slide is fully shown. Never called while a transition runs: StopTransition comes first.
    virtual void ShowSlide(MediaPlaylist* mediaSetting) = 0;
    // Stops a running transition and waits for its worker; returns at once when none runs.
    virtual void StopTransition() = 0;
    // Hides the slide window when `hide` is nonzero; the next slide shows it again.
    virtual void Hide(int hide) = 0;
    // An image item comes next (its file name, whether it is drawn with a colour key, the zoom its pan and
    // zoom ends at, 100 without one): its picture may be decoded and scaled now, while the current item is
    // shown, so that its slide is composed at once when it comes. Nothing else changes, and a slide that
    // comes instead is composed as always.
    virtual void PrepareSlide(const std::string& fileName, bool colourKey, int zoomPercent)
    {
        (void)fileName;
        (void)colourKey;
        (void)zoomPercent;
    }
};
