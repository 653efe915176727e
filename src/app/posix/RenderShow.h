#pragma once
#include <string>

// What `screensaver render` is asked for.
struct RenderOptions {
    std::string programPath; // a program file with a project attached (.scr)
    std::string outDir;
    int width = 1280;
    int height = 720;
    int seconds = 30;
    int fps = 25;
};

struct RenderResult {
    int frames = 0;         // frame files written
    int distinctFrames = 0; // of which this many differ from the frame before
    bool contactSheet = false;
};

// Reads "WIDTHxHEIGHT" (decimal, as 1280x720). False for anything else, a number too large for int included;
// the range a render accepts is checked by RenderShow.
bool ParseRenderSize(const std::string& text, int& width, int& height);

// Plays the project attached to the program file without a display, through the real start-up, the
// show's logic, the slide players and the transitions, in virtual time, and writes the frames. Returns
// false with a message in error when the show cannot be rendered.
bool RenderShow(const RenderOptions& options, RenderResult& result, std::string& error);
