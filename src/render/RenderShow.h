#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

class IFrameOutput;

// What `screensaver render` is asked for.
struct RenderOptions {
    std::string programPath; // a program file with a project attached (.scr), or a project database file
    std::string outDir;      // PNG frames and the contact sheet (only the sheet with a video); may be empty with one
    std::string videoPath;   // not empty: the show as a video file (H.264 and AAC) instead of PNG frames
    bool progress = false;   // a progress line on stderr
    int width = 1280;
    int height = 720;
    int seconds = 0; // 0: the show's own length, one pass through every item (at most kMaxPassSeconds)
    int fps = 25;
    // Instead of files: every frame goes here (the studio's previews). Frames only, silent.
    IFrameOutput* frameOutput = nullptr;
    // With a video: a fragmented MP4 of fragments this long, which a player can play while it is written.
    int streamFragmentMs = 0;
    // Told after every frame: frames done and frames in all (with the show's own length, at most).
    std::function<void(int, int)> onFrame;
    // Ends the render early, as if its time were up, once set.
    const std::atomic<bool>* cancel = nullptr;
};

struct RenderResult {
    int frames = 0;         // frame files written
    int distinctFrames = 0; // of which this many differ from the frame before
    bool contactSheet = false;
    uint64_t milliseconds = 0; // of the show rendered
    int items = 0;             // in the project
    // How a render of the show's own length ended: after one pass through every item, when the show ended
    // by itself (its time limit), or at kMaxPassSeconds.
    enum class End { AsAsked, OnePass, ShowEnded, LengthCap };
    End end = End::AsAsked;
};

// The largest side a render accepts.
constexpr int kMaxRenderSide = 8192;
// The longest a render of the show's own length runs.
constexpr int kMaxPassSeconds = 600;

// Plays the project attached to the program file (or the database file) without a display, through the real start-up,
// the show's logic, the slide players and the transitions, in virtual time, and writes the frames. Returns false with a
// message in error when the show cannot be rendered. A folder is held for the whole render (see FolderLock).
bool RenderShow(const RenderOptions& options, RenderResult& result, std::string& error);
