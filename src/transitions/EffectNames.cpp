#include "transitions/EffectNames.h"

#include <cctype>

namespace {

// Shown on the Transitions page in this order; the position is the effect index.
const char* const kEffectNames[kEffectCount] = {
    "Band down large",
    "Band down small",
    "Band from center large",
    "Band from center small",
    "Band from left-bottom large",
    "Band from left-bottom small",
    "Band from left-top large",
    "Band from left-top small",
    "Band from right-bottom large",
    "Band from right-bottom small",
    "Band from right-top large",
    "Band from right-top small",
    "Band left large",
    "Band left samll",
    "Band right large",
    "Band right small",
    "Band to center large",
    "Band to center small",
    "Band up large",
    "Band up small",
    "Block from center",
    "Block to center",
    "Center(Diffuse)",
    "Center(Envelop)",
    "Checkerboard down",
    "Checkerboard down rebound",
    "Checkerboard left",
    "Checkerboard left rebound",
    "Checkerboard right",
    "Checkerboard right rebound",
    "Checkerboard up",
    "Checkerboard up rebound",
    "Circle left-bottom",
    "Circle left-top",
    "Circle right-bottom",
    "Circle right-top",
    "Circle(Center)",
    "Circle(Random)",
    "Cross wipe from center",
    "Cross wipe to center",
    "Diamond from center",
    "Diamond to center",
    "Ellipse from center",
    "Ellipse to center",
    "Ellipse(Random)",
    "Fan wipe",
    "Fan wipe(Anticlockwise)",
    "Increase show",
    "Line down",
    "Line down rebound",
    "Line left",
    "Line left rebound",
    "Line right",
    "Line right rebound",
    "Line up",
    "Line up rebound",
    "Lines(Horizontal)",
    "Lines(Vertical)",
    "Mosaic",
    "Move down",
    "Move down 1",
    "Move down 2",
    "Move down 3",
    "Move down 4",
    "Move down 5",
    "Move from bottom left",
    "Move from bottom right",
    "Move from top left",
    "Move from top right",
    "Move left",
    "Move left 1",
    "Move left 2",
    "Move left 3",
    "Move left 4",
    "Move left 5",
    "Move left right",
    "Move right",
    "Move right 1",
    "Move right 2",
    "Move right 3",
    "Move right 4",
    "Move right 5",
    "Move up",
    "Move up 1",
    "Move up 2",
    "Move up 3",
    "Move up 4",
    "Move up 5",
    "Move up down",
    "Multi-Box from center",
    "Multi-Box to center",
    "Multi-Wipe from bottom-left",
    "Multi-Wipe from bottom-right",
    "Multi-Wipe from left-top",
    "Multi-Wipe from right-top",
    "Rain down",
    "Rain left",
    "Rain right",
    "Rain up",
    "Random crossLines",
    "Roll down",
    "Roll left",
    "Roll right",
    "Roll up",
    "Scan down",
    "Scan left",
    "Scan right",
    "Scan to center(Horizontal)",
    "Scan to center(Vertical) ",
    "Scan to edge(Horizontal)",
    "Scan to edge(Vertical)",
    "Scan up",
    "Show from bottom-left",
    "Show from bottom-right",
    "Show from top-left",
    "Show from top-right",
    "Show left-right",
    "Show up-dwon",
    "Shutter(Horizontal)",
    "Shutter(Vertical)",
    "Stretch from bottom",
    "Stretch from bottom-left",
    "Stretch from bottom-right",
    "Stretch from center",
    "Stretch from left",
    "Stretch from right",
    "Stretch from top",
    "Stretch from top-left",
    "Stretch from top-right",
    "Sweep down",
    "Sweep left",
    "Sweep right",
    "Sweep up",
    "Tow bar move down",
    "Tow bar move up",
    "Tow bar wipe down",
    "Tow bar wipe up",
    "Two bar move left",
    "Two bar move right",
    "Two bar wipe left",
    "Two bar wipe right",
    "Wedge wipe down",
    "Wedge wipe left",
    "Wedge wipe right",
    "Wedge wipe up",
    "Window blind down",
    "Window blind left",
    "Window blind right",
    "Window blind up",
    "Wipe from left-bottom",
    "Wipe from left-top",
    "Wipe from left-top/right-bottom",
    "Wipe from right-bottom",
    "Wipe from right-top",
    "Wipe from right-top/left-bottom",
    "Wipe to left-top/right-bottom",
    "Wipe to right-top/left-bottom",
    "Zig-zag down",
    "Zig-zag left",
    "Zig-zag right",
    "Zig-zag up",
    "Fade",
    "Fade through black",
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

const char* EffectName(int index)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    return kEffectNames[index];
}

int FindEffectByName(std::string_view name)
{
    for (int i = 0; i < kEffectCount; ++i) {
        if (name == kEffectNames[i])
            return i;
    }
    // Authors type names by hand: accept any case, and without the trailing blank one name carries.
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    for (int i = 0; i < kEffectCount; ++i) {
        std::string_view candidate = kEffectNames[i];
        while (!candidate.empty() && candidate.back() == ' ')
            candidate.remove_suffix(1);
        if (SameIgnoringCase(name, candidate))
            return i;
    }
    return -1;
}
