#pragma once

// How the program was started; close events act only in Saver.
enum class StartMode : int {
    None = 0,
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    Saver = 4,
    Program = 5,
};
