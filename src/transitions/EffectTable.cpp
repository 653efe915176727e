#include "transitions/EffectTable.h"

#include <iterator>

#include "transitions/EffectNames.h"
#include "transitions/effects/Families.h"

namespace {

using O = Orientation;
namespace RV = RegionVariant;

// One row per effect index: the family that draws it and its parameters (orientation, size, frame delay,
// variant). A row without a family shows its slide at once.
const EffectEntry kEffects[] = {
    {nullptr, {}},                                                         //   0 Band down large
    {nullptr, {}},                                                         //   1 Band down small
    {nullptr, {}},                                                         //   2 Band from center large
    {nullptr, {}},                                                         //   3 Band from center small
    {nullptr, {}},                                                         //   4 Band from left-bottom large
    {nullptr, {}},                                                         //   5 Band from left-bottom small
    {nullptr, {}},                                                         //   6 Band from left-top large
    {nullptr, {}},                                                         //   7 Band from left-top small
    {nullptr, {}},                                                         //   8 Band from right-bottom large
    {nullptr, {}},                                                         //   9 Band from right-bottom small
    {nullptr, {}},                                                         //  10 Band from right-top large
    {nullptr, {}},                                                         //  11 Band from right-top small
    {nullptr, {}},                                                         //  12 Band left large
    {nullptr, {}},                                                         //  13 Band left samll
    {nullptr, {}},                                                         //  14 Band right large
    {nullptr, {}},                                                         //  15 Band right small
    {nullptr, {}},                                                         //  16 Band to center large
    {nullptr, {}},                                                         //  17 Band to center small
    {nullptr, {}},                                                         //  18 Band up large
    {nullptr, {}},                                                         //  19 Band up small
    {nullptr, {}},                                                         //  20 Block from center
    {nullptr, {}},                                                         //  21 Block to center
    {nullptr, {}},                                                         //  22 Center(Diffuse)
    {nullptr, {}},                                                         //  23 Center(Envelop)
    {nullptr, {}},                                                         //  24 Checkerboard down
    {nullptr, {}},                                                         //  25 Checkerboard down rebound
    {nullptr, {}},                                                         //  26 Checkerboard left
    {nullptr, {}},                                                         //  27 Checkerboard left rebound
    {nullptr, {}},                                                         //  28 Checkerboard right
    {nullptr, {}},                                                         //  29 Checkerboard right rebound
    {nullptr, {}},                                                         //  30 Checkerboard up
    {nullptr, {}},                                                         //  31 Checkerboard up rebound
    {CircleSweep, {.delayMs = 1, .variant = kSweepLeftBottom}},            //  32 Circle left-bottom
    {CircleSweep, {.delayMs = 1, .variant = kSweepLeftTop}},               //  33 Circle left-top
    {CircleSweep, {.delayMs = 1, .variant = kSweepRightBottom}},           //  34 Circle right-bottom
    {CircleSweep, {.delayMs = 1, .variant = kSweepRightTop}},              //  35 Circle right-top
    {CircleSweep, {.delayMs = 1, .variant = kSweepMiddle}},                //  36 Circle(Center)
    {CircleSweep, {.delayMs = 1, .variant = kSweepRandom}},                //  37 Circle(Random)
    {CrossWipe, {.delayMs = 2}},                                           //  38 Cross wipe from center
    {CrossWipe, {.delayMs = 2, .variant = RV::Closing}},                   //  39 Cross wipe to center
    {DiamondWipe, {.delayMs = 2}},                                         //  40 Diamond from center
    {DiamondWipe, {.delayMs = 2, .variant = RV::Closing}},                 //  41 Diamond to center
    {EllipseWipe, {.delayMs = 2}},                                         //  42 Ellipse from center
    {EllipseWipe, {.delayMs = 2, .variant = RV::Closing}},                 //  43 Ellipse to center
    {EllipseWipe, {.delayMs = 2, .variant = RV::RandomCentre}},            //  44 Ellipse(Random)
    {FanWipe, {.delayMs = 2}},                                             //  45 Fan wipe
    {FanWipe, {.delayMs = 2, .variant = RV::Anticlockwise}},               //  46 Fan wipe(Anticlockwise)
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
    {MultiWipe, {.delayMs = 1, .variant = RV::Bottom}},                    //  91 Multi-Wipe from bottom-left
    {MultiWipe, {.delayMs = 1, .variant = RV::Right | RV::Bottom}},        //  92 Multi-Wipe from bottom-right
    {MultiWipe, {.delayMs = 1}},                                           //  93 Multi-Wipe from left-top
    {MultiWipe, {.delayMs = 1, .variant = RV::Right}},                     //  94 Multi-Wipe from right-top
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
    {WedgeWipe, {.orientation = O::Down, .delayMs = 2}},                   // 141 Wedge wipe down
    {WedgeWipe, {.orientation = O::Left, .delayMs = 2}},                   // 142 Wedge wipe left
    {WedgeWipe, {.orientation = O::Right, .delayMs = 2}},                  // 143 Wedge wipe right
    {WedgeWipe, {.orientation = O::Up, .delayMs = 2}},                     // 144 Wedge wipe up
    {WindowBlind, {.orientation = O::Down, .delayMs = 30}},                // 145 Window blind down
    {WindowBlind, {.orientation = O::Right, .delayMs = 30, .variant = 1}}, // 146 Window blind left
    {WindowBlind, {.orientation = O::Right, .delayMs = 30}},               // 147 Window blind right
    {WindowBlind, {.orientation = O::Down, .delayMs = 30, .variant = 1}},  // 148 Window blind up
    {CornerWipe, {.delayMs = 2, .variant = RV::Bottom}},                   // 149 Wipe from left-bottom
    {CornerWipe, {.delayMs = 2}},                                          // 150 Wipe from left-top
    {CornerWipe, {.delayMs = 2, .variant = RV::WithOpposite}},             // 151 Wipe from left-top/right-bottom
    {CornerWipe, {.delayMs = 2, .variant = RV::Right | RV::Bottom}},       // 152 Wipe from right-bottom
    {CornerWipe, {.delayMs = 2, .variant = RV::Right}},                    // 153 Wipe from right-top
    {CornerWipe, {.delayMs = 2, .variant = RV::Right | RV::WithOpposite}}, // 154 Wipe from right-top/left-bottom
    {CornerWipe, {.delayMs = 2, .variant = RV::Closing}},                  // 155 Wipe to left-top/right-bottom
    {CornerWipe, {.delayMs = 2, .variant = RV::Right | RV::Closing}},      // 156 Wipe to right-top/left-bottom
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
