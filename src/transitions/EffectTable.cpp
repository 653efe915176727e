#include "transitions/EffectTable.h"

#include <iterator>

#include "transitions/EffectNames.h"
#include "transitions/effects/Families.h"

namespace {

using O = Orientation;

// One row per effect index: the family that draws it and its parameters (orientation, size, frame delay,
// variant). A row without a family shows its slide at once.
const EffectEntry kEffects[] = {
    {BandDown, {.size = 20, .delayMs = 20}},                               //   0 Band down large
    {BandDown, {.size = 5, .delayMs = 20}},                                //   1 Band down small
    {BandFromCenter, {.size = 15, .delayMs = 20}},                         //   2 Band from center large
    {BandFromCenter, {.size = 5, .delayMs = 20}},                          //   3 Band from center small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = 2}},               //   4 Band from left-bottom large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = 2}},                //   5 Band from left-bottom small
    {CornerBand, {.size = 15, .delayMs = 20}},                             //   6 Band from left-top large
    {CornerBand, {.size = 5, .delayMs = 20}},                              //   7 Band from left-top small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = 3}},               //   8 Band from right-bottom large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = 3}},                //   9 Band from right-bottom small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = 1}},               //  10 Band from right-top large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = 1}},                //  11 Band from right-top small
    {EdgeBand, {.orientation = O::Right, .size = 15, .delayMs = 10}},      //  12 Band left large
    {EdgeBand, {.orientation = O::Right, .size = 5, .delayMs = 10}},       //  13 Band left samll
    {EdgeBand, {.orientation = O::Left, .size = 15, .delayMs = 15}},       //  14 Band right large
    {EdgeBand, {.orientation = O::Left, .size = 5, .delayMs = 15}},        //  15 Band right small
    {BandToCenter, {.size = 15, .delayMs = 15}},                           //  16 Band to center large
    {BandToCenter, {.size = 5, .delayMs = 15}},                            //  17 Band to center small
    {EdgeBand, {.orientation = O::Up, .size = 15, .delayMs = 15}},         //  18 Band up large
    {EdgeBand, {.orientation = O::Up, .size = 5, .delayMs = 15}},          //  19 Band up small
    {BlockSpiral, {.delayMs = 30}},                                        //  20 Block from center
    {BlockSpiral, {.delayMs = 30, .variant = 1}},                          //  21 Block to center
    {CenterDiffuse, {.delayMs = 5}},                                       //  22 Center(Diffuse)
    {nullptr, {}},                                                         //  23 Center(Envelop)
    {Checkers, {.orientation = O::Down, .delayMs = 20}},                   //  24 Checkerboard down
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 2}},     //  25 Checkerboard down rebound
    {Checkers, {.orientation = O::Right, .delayMs = 20}},                  //  26 Checkerboard left
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 2}},    //  27 Checkerboard left rebound
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 3}},    //  28 Checkerboard right
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 1}},    //  29 Checkerboard right rebound
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 3}},     //  30 Checkerboard up
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 1}},     //  31 Checkerboard up rebound
    {nullptr, {}},                                                         //  32 Circle left-bottom
    {nullptr, {}},                                                         //  33 Circle left-top
    {nullptr, {}},                                                         //  34 Circle right-bottom
    {nullptr, {}},                                                         //  35 Circle right-top
    {nullptr, {}},                                                         //  36 Circle(Center)
    {nullptr, {}},                                                         //  37 Circle(Random)
    {nullptr, {}},                                                         //  38 Cross wipe from center
    {nullptr, {}},                                                         //  39 Cross wipe to center
    {nullptr, {}},                                                         //  40 Diamond from center
    {nullptr, {}},                                                         //  41 Diamond to center
    {nullptr, {}},                                                         //  42 Ellipse from center
    {nullptr, {}},                                                         //  43 Ellipse to center
    {nullptr, {}},                                                         //  44 Ellipse(Random)
    {nullptr, {}},                                                         //  45 Fan wipe
    {nullptr, {}},                                                         //  46 Fan wipe(Anticlockwise)
    {nullptr, {}},                                                         //  47 Increase show
    {nullptr, {}},                                                         //  48 Line down
    {nullptr, {}},                                                         //  49 Line down rebound
    {nullptr, {}},                                                         //  50 Line left
    {nullptr, {}},                                                         //  51 Line left rebound
    {nullptr, {}},                                                         //  52 Line right
    {nullptr, {}},                                                         //  53 Line right rebound
    {nullptr, {}},                                                         //  54 Line up
    {nullptr, {}},                                                         //  55 Line up rebound
    {nullptr, {}},                                                         //  56 Lines(Horizontal)
    {nullptr, {}},                                                         //  57 Lines(Vertical)
    {nullptr, {}},                                                         //  58 Mosaic
    {nullptr, {}},                                                         //  59 Move down
    {nullptr, {}},                                                         //  60 Move down 1
    {nullptr, {}},                                                         //  61 Move down 2
    {nullptr, {}},                                                         //  62 Move down 3
    {nullptr, {}},                                                         //  63 Move down 4
    {nullptr, {}},                                                         //  64 Move down 5
    {nullptr, {}},                                                         //  65 Move from bottom left
    {nullptr, {}},                                                         //  66 Move from bottom right
    {nullptr, {}},                                                         //  67 Move from top left
    {nullptr, {}},                                                         //  68 Move from top right
    {nullptr, {}},                                                         //  69 Move left
    {nullptr, {}},                                                         //  70 Move left 1
    {nullptr, {}},                                                         //  71 Move left 2
    {nullptr, {}},                                                         //  72 Move left 3
    {nullptr, {}},                                                         //  73 Move left 4
    {nullptr, {}},                                                         //  74 Move left 5
    {nullptr, {}},                                                         //  75 Move left right
    {nullptr, {}},                                                         //  76 Move right
    {nullptr, {}},                                                         //  77 Move right 1
    {nullptr, {}},                                                         //  78 Move right 2
    {nullptr, {}},                                                         //  79 Move right 3
    {nullptr, {}},                                                         //  80 Move right 4
    {nullptr, {}},                                                         //  81 Move right 5
    {nullptr, {}},                                                         //  82 Move up
    {nullptr, {}},                                                         //  83 Move up 1
    {nullptr, {}},                                                         //  84 Move up 2
    {nullptr, {}},                                                         //  85 Move up 3
    {nullptr, {}},                                                         //  86 Move up 4
    {nullptr, {}},                                                         //  87 Move up 5
    {nullptr, {}},                                                         //  88 Move up down
    {nullptr, {}},                                                         //  89 Multi-Box from center
    {nullptr, {}},                                                         //  90 Multi-Box to center
    {nullptr, {}},                                                         //  91 Multi-Wipe from bottom-left
    {nullptr, {}},                                                         //  92 Multi-Wipe from bottom-right
    {nullptr, {}},                                                         //  93 Multi-Wipe from left-top
    {nullptr, {}},                                                         //  94 Multi-Wipe from right-top
    {nullptr, {}},                                                         //  95 Rain down
    {nullptr, {}},                                                         //  96 Rain left
    {nullptr, {}},                                                         //  97 Rain right
    {nullptr, {}},                                                         //  98 Rain up
    {nullptr, {}},                                                         //  99 Random crossLines
    {nullptr, {}},                                                         // 100 Roll down
    {nullptr, {}},                                                         // 101 Roll left
    {nullptr, {}},                                                         // 102 Roll right
    {nullptr, {}},                                                         // 103 Roll up
    {nullptr, {}},                                                         // 104 Scan down
    {nullptr, {}},                                                         // 105 Scan left
    {nullptr, {}},                                                         // 106 Scan right
    {nullptr, {}},                                                         // 107 Scan to center(Horizontal)
    {nullptr, {}},                                                         // 108 Scan to center(Vertical)
    {nullptr, {}},                                                         // 109 Scan to edge(Horizontal)
    {nullptr, {}},                                                         // 110 Scan to edge(Vertical)
    {nullptr, {}},                                                         // 111 Scan up
    {nullptr, {}},                                                         // 112 Show from bottom-left
    {nullptr, {}},                                                         // 113 Show from bottom-right
    {nullptr, {}},                                                         // 114 Show from top-left
    {nullptr, {}},                                                         // 115 Show from top-right
    {nullptr, {}},                                                         // 116 Show left-right
    {nullptr, {}},                                                         // 117 Show up-dwon
    {nullptr, {}},                                                         // 118 Shutter(Horizontal)
    {nullptr, {}},                                                         // 119 Shutter(Vertical)
    {nullptr, {}},                                                         // 120 Stretch from bottom
    {nullptr, {}},                                                         // 121 Stretch from bottom-left
    {nullptr, {}},                                                         // 122 Stretch from bottom-right
    {nullptr, {}},                                                         // 123 Stretch from center
    {nullptr, {}},                                                         // 124 Stretch from left
    {nullptr, {}},                                                         // 125 Stretch from right
    {nullptr, {}},                                                         // 126 Stretch from top
    {nullptr, {}},                                                         // 127 Stretch from top-left
    {nullptr, {}},                                                         // 128 Stretch from top-right
    {nullptr, {}},                                                         // 129 Sweep down
    {nullptr, {}},                                                         // 130 Sweep left
    {nullptr, {}},                                                         // 131 Sweep right
    {nullptr, {}},                                                         // 132 Sweep up
    {nullptr, {}},                                                         // 133 Tow bar move down
    {nullptr, {}},                                                         // 134 Tow bar move up
    {nullptr, {}},                                                         // 135 Tow bar wipe down
    {nullptr, {}},                                                         // 136 Tow bar wipe up
    {nullptr, {}},                                                         // 137 Two bar move left
    {nullptr, {}},                                                         // 138 Two bar move right
    {nullptr, {}},                                                         // 139 Two bar wipe left
    {nullptr, {}},                                                         // 140 Two bar wipe right
    {nullptr, {}},                                                         // 141 Wedge wipe down
    {nullptr, {}},                                                         // 142 Wedge wipe left
    {nullptr, {}},                                                         // 143 Wedge wipe right
    {nullptr, {}},                                                         // 144 Wedge wipe up
    {WindowBlind, {.orientation = O::Down, .delayMs = 30}},                // 145 Window blind down
    {WindowBlind, {.orientation = O::Right, .delayMs = 30, .variant = 1}}, // 146 Window blind left
    {WindowBlind, {.orientation = O::Right, .delayMs = 30}},               // 147 Window blind right
    {WindowBlind, {.orientation = O::Down, .delayMs = 30, .variant = 1}},  // 148 Window blind up
    {nullptr, {}},                                                         // 149 Wipe from left-bottom
    {nullptr, {}},                                                         // 150 Wipe from left-top
    {nullptr, {}},                                                         // 151 Wipe from left-top/right-bottom
    {nullptr, {}},                                                         // 152 Wipe from right-bottom
    {nullptr, {}},                                                         // 153 Wipe from right-top
    {nullptr, {}},                                                         // 154 Wipe from right-top/left-bottom
    {nullptr, {}},                                                         // 155 Wipe to left-top/right-bottom
    {nullptr, {}},                                                         // 156 Wipe to right-top/left-bottom
    {nullptr, {}},                                                         // 157 Zig-zag down
    {nullptr, {}},                                                         // 158 Zig-zag left
    {nullptr, {}},                                                         // 159 Zig-zag right
    {nullptr, {}},                                                         // 160 Zig-zag up
};
static_assert(std::size(kEffects) == kEffectCount, "one row per effect index");

} // namespace

const EffectEntry* FindEffect(int index)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    return &kEffects[index];
}
