#pragma once

// How the program was started. The slide and video players read it as well as the screensaver window: a
// preview leaves out what the small screen has no room or need for, and close events act only in Saver.
enum class StartMode : int {
    None = 0,
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    Saver = 4,
    Program = 5,
};
