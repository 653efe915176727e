#pragma once
#include <cstdint>

// The show's own window messages, posted with wParam 0 (the transition's serial for TransitionDone) from the
// transition worker and the players to the slide window and the screensaver window. The values are the
// Windows ones (WM_USER + 8 to 13), so every host speaks the same numbers.
namespace ShowMsg {
constexpr uint32_t kUser = 0x0400;                // WM_USER
constexpr uint32_t kItemFinished = kUser + 8;     // 1032: the current item has finished presenting
constexpr uint32_t kTransitionDone = kUser + 9;   // 1033: the transition ran to its end (worker to slide window)
constexpr uint32_t kMusicEnded = kUser + 10;      // 1034: the background music track has ended
constexpr uint32_t kPauseMusic = kUser + 11;      // 1035
constexpr uint32_t kResumeMusic = kUser + 12;     // 1036
constexpr uint32_t kBoundSoundEnded = kUser + 13; // 1037: the item's bound sound has ended
} // namespace ShowMsg
