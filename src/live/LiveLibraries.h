#pragma once
// The libraries of the live show (SDL2 for its window, input and sound, ALSA's to keep its complaints off
// the terminal), opened when a show first goes on screen instead of linked: SDL2 alone needs some forty
// further libraries, whose loading would otherwise cost every start of both programs, also of renders,
// settings and packing, which never show a window. (Xlib, small, stays linked: its names clash with ours.)
#include <SDL.h>
#include <alsa/asoundlib.h>

#include <string>

#define QM_LIVE_FUNCTIONS(X)                                                                                           \
    X(SDL_CloseAudioDevice)                                                                                            \
    X(SDL_CreateRGBSurfaceWithFormatFrom)                                                                              \
    X(SDL_CreateWindow)                                                                                                \
    X(SDL_CreateWindowFrom)                                                                                            \
    X(SDL_Delay)                                                                                                       \
    X(SDL_DestroyWindow)                                                                                               \
    X(SDL_EventState)                                                                                                  \
    X(SDL_FillRect)                                                                                                    \
    X(SDL_FreeSurface)                                                                                                 \
    X(SDL_GetCurrentVideoDriver)                                                                                       \
    X(SDL_GetDisplayBounds)                                                                                            \
    X(SDL_GetError)                                                                                                    \
    X(SDL_GetGlobalMouseState)                                                                                         \
    X(SDL_GetNumVideoDisplays)                                                                                         \
    X(SDL_GetTicks64)                                                                                                  \
    X(SDL_GetWindowFromID)                                                                                             \
    X(SDL_GetWindowSize)                                                                                               \
    X(SDL_GetWindowSurface)                                                                                            \
    X(SDL_InitSubSystem)                                                                                               \
    X(SDL_OpenAudioDevice)                                                                                             \
    X(SDL_PauseAudioDevice)                                                                                            \
    X(SDL_PollEvent)                                                                                                   \
    X(SDL_Quit)                                                                                                        \
    X(SDL_QuitSubSystem)                                                                                               \
    X(SDL_SetHint)                                                                                                     \
    X(SDL_ShowCursor)                                                                                                  \
    X(SDL_UpdateWindowSurfaceRects)                                                                                    \
    X(SDL_UpperBlit)                                                                                                   \
    X(SDL_UpperBlitScaled)                                                                                             \
    X(SDL_WarpMouseGlobal)                                                                                             \
    X(snd_lib_error_set_handler)

// Every function of those libraries the live show calls, under its own name.
struct SDL_SysWMinfo;
struct LiveFunctions {
// The name is a declaration's name here, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define QM_LIVE_MEMBER(name) decltype(&::name) name = nullptr;
    QM_LIVE_FUNCTIONS(QM_LIVE_MEMBER)
#undef QM_LIVE_MEMBER
    // Declared in SDL_syswm.h, which brings Xlib's macros (None, Status...) along: its type is spelled out.
    SDL_bool (*SDL_GetWindowWMInfo)(SDL_Window*, SDL_SysWMinfo*) = nullptr;
};

// The libraries, loaded once on first use; null when they cannot be, with the reason (naming the library or
// function that is missing) in LiveLoadError().
const LiveFunctions* Live();
const std::string& LiveLoadError();
