#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What `screensaver play` is asked for.
struct LiveOptions {
    std::string programPath; // a program file with a project attached (.scr)
    bool window = false;     // an ordinary window
    std::string size;        // of that window, WIDTHxHEIGHT
    int monitor = -1;        // full screen on this monitor (0: every monitor); -1: as the user setting says
    std::string windowId;    // draw into this existing X window
    bool root = false;       // draw on the root window
};

// Where the live show draws.
struct LiveTarget {
    enum class Kind {
        Screen,  // full screen on a monitor, or over the whole virtual screen
        Window,  // an ordinary window
        Foreign, // an existing X window (XScreenSaver's, or another program's)
        Root,    // the screen's root window
    };
    Kind kind = Kind::Screen;
    int monitor = -1; // Screen: -1 for the user setting
    int width = 1280; // Window
    int height = 720;
    uint64_t windowId = 0; // Foreign
};

// Reads an X window id, decimal or hexadecimal with 0x (as XScreenSaver writes it). False for anything else,
// for 0 and for ids beyond 32 bits.
bool ParseWindowId(const std::string& text, uint64_t& id);

// Decides where the show draws. An explicit --window-id comes first; then an ordinary --window; then the window
// XScreenSaver hands its programs in XSCREENSAVER_WINDOW (which is also what --root means under XScreenSaver);
// then the root window; otherwise the full screen. False with a message for options that contradict each other
// or a bad id or size.
bool ResolveLiveTarget(const LiveOptions& options, const char* xscreensaverWindow, LiveTarget& target,
                       std::string& error);

// The command line as the parser takes it: a program file given without a subcommand means `play`, the
// single-dash switches XScreenSaver's programs take (-root, -window-id, -window) are read as long options,
// and of play's choices of where to draw (--window, --window-id, --root, --monitor) the last one counts.
std::vector<std::string> NormaliseLiveArguments(const std::vector<std::string>& args,
                                                const std::vector<std::string>& subcommands);

// The show a `play` given no file plays: the program file itself when a project is attached to it (a show
// packed onto the Linux runtime), otherwise the sample show installed with the program
// (share/quillmark/sample.scr beside its bin folder); "" when there is neither.
std::string DefaultShowPath();
