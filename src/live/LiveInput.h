#pragma once
#include <cstdint>

// The Windows virtual-key code of an SDL key, as the close events compare them: letters as their upper-case
// character, digits as themselves, Return 13, Escape 27 and the usual codes of the other common keys. A key
// without a code of its own gives 0xFF, which closes only on any event.
uint32_t VirtualKeyOf(int32_t sdlKey);

// The mouse message of an SDL button press or release: left, right and middle buttons; a second press in
// quick succession is the double click. 0 for other buttons.
uint32_t MouseMessageOf(uint8_t button, bool down, uint8_t clicks);
