#include "live/LiveInput.h"

#include <SDL_keycode.h>
#include <SDL_mouse.h>

#include "saver/SaverMessages.h"

uint32_t VirtualKeyOf(int32_t key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return uint32_t('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return uint32_t(key);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0x70 + uint32_t(key - SDLK_F1);
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return SaverKey::kReturn;
    case SDLK_ESCAPE: return SaverKey::kEscape;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_LALT:
    case SDLK_RALT: return 0x12;
    default: return 0xFF;
    }
}

uint32_t MouseMessageOf(uint8_t button, bool down, uint8_t clicks)
{
    const bool doubleClick = down && clicks == 2;
    switch (button) {
    case SDL_BUTTON_LEFT:
        return doubleClick ? SaverMsg::kLButtonDblClk : down ? SaverMsg::kLButtonDown : SaverMsg::kLButtonUp;
    case SDL_BUTTON_RIGHT:
        return doubleClick ? SaverMsg::kRButtonDblClk : down ? SaverMsg::kRButtonDown : SaverMsg::kRButtonUp;
    case SDL_BUTTON_MIDDLE: return down ? SaverMsg::kMButtonDown : SaverMsg::kMButtonUp;
    default: return 0;
    }
}
