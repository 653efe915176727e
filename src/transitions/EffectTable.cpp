#include "transitions/EffectTable.h"

#include <iterator>

#include "transitions/EffectNames.h"
#include "transitions/effects/Families.h"

namespace {

using O = Orientation;
namespace RV = RegionVariant;

// One row per effect index: the family that draws it and its parameters (orientation, size, frame delay,
// variant).
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
    {CenterEnvelop, {.delayMs = 5}},                                       //  23 Center(Envelop)
    {Checkers, {.orientation = O::Down, .delayMs = 20}},                   //  24 Checkerboard down
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 2}},     //  25 Checkerboard down rebound
    {Checkers, {.orientation = O::Right, .delayMs = 20}},                  //  26 Checkerboard left
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 2}},    //  27 Checkerboard left rebound
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 3}},    //  28 Checkerboard right
    {Checkers, {.orientation = O::Right, .delayMs = 20, .variant = 1}},    //  29 Checkerboard right rebound
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 3}},     //  30 Checkerboard up
    {Checkers, {.orientation = O::Down, .delayMs = 20, .variant = 1}},     //  31 Checkerboard up rebound
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
    {IncreaseShow, {.delayMs = 10}},                                       //  47 Increase show
    {LineForward, {.orientation = O::Down, .delayMs = 10}},                //  48 Line down
    {LineForward, {.orientation = O::Down, .delayMs = 10, .variant = 1}},  //  49 Line down rebound
    {LineBackward, {.orientation = O::Right, .delayMs = 5}},               //  50 Line left
    {LineBackward, {.orientation = O::Right, .delayMs = 5, .variant = 1}}, //  51 Line left rebound
    {LineForward, {.orientation = O::Right, .delayMs = 5}},                //  52 Line right
    {LineForward, {.orientation = O::Right, .delayMs = 5, .variant = 1}},  //  53 Line right rebound
    {LineBackward, {.orientation = O::Down, .delayMs = 5}},                //  54 Line up
    {LineBackward, {.orientation = O::Down, .delayMs = 5, .variant = 1}},  //  55 Line up rebound
    {RandomLines, {.orientation = O::Down, .delayMs = 8}},                 //  56 Lines(Horizontal)
    {RandomLines, {.orientation = O::Right, .delayMs = 8}},                //  57 Lines(Vertical)
    {Mosaic, {.delayMs = 8}},                                              //  58 Mosaic
    {MoveWhole, MoveRow(O::Down, 1)},                                      //  59 Move down
    {MoveHalfThenSlideOut, MoveRow(O::Down, 1, 1000)},                     //  60 Move down 1
    {MoveHalfThenEnter, MoveRow(O::Down, 1)},                              //  61 Move down 2
    {MoveFarHalfThenSlideOut, MoveRow(O::Down, 1)},                        //  62 Move down 3
    {MoveFarHalfThenEnter, MoveRow(O::Down, 1)},                           //  63 Move down 4
    {MoveStrips, MoveRow(O::Down, 1)},                                     //  64 Move down 5
    {MoveCorner, MoveRow(O::Mirrored(false, true), 1)},                    //  65 Move from bottom left
    {MoveCorner, MoveRow(O::Mirrored(true, true), 2)},                     //  66 Move from bottom right
    {MoveCorner, MoveRow(O::Down, 2)},                                     //  67 Move from top left
    {MoveCorner, MoveRow(O::Mirrored(true, false), 2)},                    //  68 Move from top right
    {MoveWhole, MoveRow(O::Left, 2)},                                      //  69 Move left
    {MoveHalfThenSlideOut, MoveRow(O::Left, 2, 1000)},                     //  70 Move left 1
    {MoveHalfThenEnter, MoveRow(O::Left, 1)},                              //  71 Move left 2
    {MoveFarHalfThenSlideOut, MoveRow(O::Left, 1)},                        //  72 Move left 3
    {MoveFarHalfThenEnter, MoveRow(O::Left, 2)},                           //  73 Move left 4
    {MoveStrips, MoveRow(O::Left, 2)},                                     //  74 Move left 5
    {MoveBothHalves, MoveRow(O::Right, 2)},                                //  75 Move left right
    {MoveWhole, MoveRow(O::Right, 2)},                                     //  76 Move right
    {MoveHalfThenSlideOut, MoveRow(O::Right, 2, 1000)},                    //  77 Move right 1
    {MoveHalfThenEnter, MoveRow(O::Right, 2, 800)},                        //  78 Move right 2
    {MoveFarHalfThenSlideOut, MoveRow(O::Right, 2, 1000)},                 //  79 Move right 3
    {MoveFarHalfThenEnter, MoveRow(O::Right, 2, 1000)},                    //  80 Move right 4
    {MoveStrips, MoveRow(O::Right, 2)},                                    //  81 Move right 5
    {MoveWhole, MoveRow(O::Up, 2)},                                        //  82 Move up
    {MoveHalfThenSlideOut, MoveRow(O::Up, 2, 1000)},                       //  83 Move up 1
    {MoveHalfThenEnter, MoveRow(O::Up, 2, 1000)},                          //  84 Move up 2
    {MoveFarHalfThenSlideOut, MoveRow(O::Up, 2, 1000)},                    //  85 Move up 3
    {MoveFarHalfThenEnter, MoveRow(O::Up, 2, 1000)},                       //  86 Move up 4
    {MoveStrips, MoveRow(O::Up, 2)},                                       //  87 Move up 5
    {MoveBothHalves, MoveRow(O::Down, 2)},                                 //  88 Move up down
    {MultiBox, {.delayMs = 2}},                                            //  89 Multi-Box from center
    {MultiBox, {.delayMs = 2, .variant = 1}},                              //  90 Multi-Box to center
    {MultiWipe, {.delayMs = 1, .variant = RV::Bottom}},                    //  91 Multi-Wipe from bottom-left
    {MultiWipe, {.delayMs = 1, .variant = RV::Right | RV::Bottom}},        //  92 Multi-Wipe from bottom-right
    {MultiWipe, {.delayMs = 1}},                                           //  93 Multi-Wipe from left-top
    {MultiWipe, {.delayMs = 1, .variant = RV::Right}},                     //  94 Multi-Wipe from right-top
    {Rain, {.delayMs = 1, .variant = 2}},                                  //  95 Rain down
    {Rain, {.orientation = O::Left, .delayMs = 1, .variant = 1}},          //  96 Rain left
    {Rain, {.orientation = O::Right, .delayMs = 1}},                       //  97 Rain right
    {Rain, {.orientation = O::Up, .delayMs = 1, .variant = 1}},            //  98 Rain up
    {RandomCrossLines, {.delayMs = 5}},                                    //  99 Random crossLines
    {Roll, {.delayMs = 5}},                                                // 100 Roll down
    {Roll, {.orientation = O::Left, .delayMs = 5}},                        // 101 Roll left
    {Roll, {.orientation = O::Right, .delayMs = 5}},                       // 102 Roll right
    {Roll, {.orientation = O::Up, .delayMs = 5}},                          // 103 Roll up
    {Scan, {.delayMs = 2, .variant = kScanPastEnd}},                       // 104 Scan down
    {ScanLeft, {.delayMs = 5}},                                            // 105 Scan left
    {Scan, {.orientation = O::Right, .delayMs = 5}},                       // 106 Scan right
    {ScanToCenter, {.orientation = O::Down, .delayMs = 5}},                // 107 Scan to center(Horizontal)
    {ScanToCenter, {.orientation = O::Right, .delayMs = 5}},               // 108 Scan to center(Vertical)
    {ScanToEdge, {.orientation = O::Down, .delayMs = 5}},                  // 109 Scan to edge(Horizontal)
    {ScanToEdge, {.orientation = O::Right, .delayMs = 5}},                 // 110 Scan to edge(Vertical)
    {Scan, {.orientation = O::Up, .delayMs = 5, .variant = kScanCloses}},  // 111 Scan up
    {FromCorner, {.orientation = O::Mirrored(false, true), .delayMs = 5}}, // 112 Show from bottom-left
    {FromCorner, {.orientation = O::Mirrored(true, true), .delayMs = 5}},  // 113 Show from bottom-right
    {FromCorner, {.orientation = O::Down, .delayMs = 5}},                  // 114 Show from top-left
    {FromCorner, {.orientation = O::Mirrored(true, false), .delayMs = 5}}, // 115 Show from top-right
    {Comb, {.delayMs = 2}},                                                // 116 Show left-right
    {Comb, {.delayMs = 2, .variant = 1}},                                  // 117 Show up-dwon
    {Shutter, {.orientation = O::Down, .delayMs = 2}},                     // 118 Shutter(Horizontal)
    {Shutter, {.orientation = O::Right, .delayMs = 2, .variant = 1}},      // 119 Shutter(Vertical)
    {StretchEdge, {.orientation = O::Up, .delayMs = 2}},                   // 120 Stretch from bottom
    {StretchCorner, {.delayMs = 2, .variant = 2}},                         // 121 Stretch from bottom-left
    {StretchCorner, {.delayMs = 2, .variant = 3}},                         // 122 Stretch from bottom-right
    {StretchCenter, {.delayMs = 2}},                                       // 123 Stretch from center
    {StretchEdge, {.orientation = O::Right, .delayMs = 2}},                // 124 Stretch from left
    {StretchEdge, {.orientation = O::Left, .size = 2, .delayMs = 2}},      // 125 Stretch from right
    {StretchEdge, {.delayMs = 2}},                                         // 126 Stretch from top
    {StretchCorner, {.delayMs = 2}},                                       // 127 Stretch from top-left
    {StretchCorner, {.delayMs = 2, .variant = 1}},                         // 128 Stretch from top-right
    {SweepForward, {.orientation = O::Down, .delayMs = 30, .variant = 1}}, // 129 Sweep down
    {SweepBackward, {.orientation = O::Right, .delayMs = 30}},             // 130 Sweep left
    {SweepForward, {.orientation = O::Right, .delayMs = 30}},              // 131 Sweep right
    {SweepBackward, {.orientation = O::Down, .delayMs = 30}},              // 132 Sweep up
    {TwoBars, {.orientation = O::Down, .delayMs = 2}},                     // 133 Tow bar move down
    {TwoBars, {.orientation = O::Up, .delayMs = 2}},                       // 134 Tow bar move up
    {TwoBars, {.orientation = O::Down, .delayMs = 2, .variant = 1}},       // 135 Tow bar wipe down
    {TwoBars, {.orientation = O::Up, .delayMs = 2, .variant = 1}},         // 136 Tow bar wipe up
    {TwoBars, {.orientation = O::Left, .delayMs = 2}},                     // 137 Two bar move left
    {TwoBars, {.orientation = O::Right, .delayMs = 2}},                    // 138 Two bar move right
    {TwoBars, {.orientation = O::Left, .delayMs = 2, .variant = 1}},       // 139 Two bar wipe left
    {TwoBars, {.orientation = O::Right, .delayMs = 2, .variant = 1}},      // 140 Two bar wipe right
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
    {ZigZag, {.orientation = O::Down, .delayMs = 25}},                     // 157 Zig-zag down
    {ZigZag, {.orientation = O::Left, .delayMs = 25}},                     // 158 Zig-zag left
    {ZigZag, {.orientation = O::Right, .delayMs = 25}},                    // 159 Zig-zag right
    {ZigZag, {.orientation = O::Up, .delayMs = 25}},                       // 160 Zig-zag up
};
static_assert(std::size(kEffects) == kEffectCount, "one row per effect index");

} // namespace

const EffectEntry* FindEffect(int index)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    return &kEffects[index];
}
