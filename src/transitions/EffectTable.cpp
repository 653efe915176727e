#include "transitions/EffectTable.h"

#include <iterator>

#include "transitions/EffectNames.h"
#include "transitions/effects/Families.h"

namespace {

using O = Orientation;

// One row per effect index: the family that draws it and its parameters (orientation, size, frame delay,
// the family's variant).
const EffectEntry kEffects[] = {
    {BandDown, {.size = 20, .delayMs = 20}},                                   //   0 Band down large
    {BandDown, {.size = 5, .delayMs = 20}},                                    //   1 Band down small
    {BandFromCenter, {.size = 15, .delayMs = 20}},                             //   2 Band from center large
    {BandFromCenter, {.size = 5, .delayMs = 20}},                              //   3 Band from center small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = Corner::BottomLeft}},  //   4 Band from left-bottom large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = Corner::BottomLeft}},   //   5 Band from left-bottom small
    {CornerBand, {.size = 15, .delayMs = 20, .variant = Corner::TopLeft}},     //   6 Band from left-top large
    {CornerBand, {.size = 5, .delayMs = 20, .variant = Corner::TopLeft}},      //   7 Band from left-top small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = Corner::BottomRight}}, //   8 Band from right-bottom large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = Corner::BottomRight}},  //   9 Band from right-bottom small
    {CornerBand, {.size = 15, .delayMs = 10, .variant = Corner::TopRight}},    //  10 Band from right-top large
    {CornerBand, {.size = 5, .delayMs = 10, .variant = Corner::TopRight}},     //  11 Band from right-top small
    {EdgeBand, {.orientation = O::kRight, .size = 15, .delayMs = 10}},         //  12 Band left large
    {EdgeBand, {.orientation = O::kRight, .size = 5, .delayMs = 10}},          //  13 Band left samll
    {EdgeBand, {.orientation = O::kLeft, .size = 15, .delayMs = 15}},          //  14 Band right large
    {EdgeBand, {.orientation = O::kLeft, .size = 5, .delayMs = 15}},           //  15 Band right small
    {BandToCenter, {.size = 15, .delayMs = 15}},                               //  16 Band to center large
    {BandToCenter, {.size = 5, .delayMs = 15}},                                //  17 Band to center small
    {EdgeBand, {.orientation = O::kUp, .size = 15, .delayMs = 15}},            //  18 Band up large
    {EdgeBand, {.orientation = O::kUp, .size = 5, .delayMs = 15}},             //  19 Band up small
    {BlockSpiral, {.delayMs = 30, .variant = Reveal::FromCenter}},             //  20 Block from center
    {BlockSpiral, {.delayMs = 30, .variant = Reveal::ToCenter}},               //  21 Block to center
    {CenterDiffuse, {.delayMs = 5}},                                           //  22 Center(Diffuse)
    {CenterEnvelop, {.delayMs = 5}},                                           //  23 Center(Envelop)
    {Checkers, CheckerRow(O::kDown, Order::Forward, Order::Forward)},          //  24 Checkerboard down
    {Checkers, CheckerRow(O::kDown, Order::Forward, Order::Backward)},         //  25 Checkerboard down rebound
    {Checkers, CheckerRow(O::kRight, Order::Forward, Order::Forward)},         //  26 Checkerboard left
    {Checkers, CheckerRow(O::kRight, Order::Forward, Order::Backward)},        //  27 Checkerboard left rebound
    {Checkers, CheckerRow(O::kRight, Order::Backward, Order::Backward)},       //  28 Checkerboard right
    {Checkers, CheckerRow(O::kRight, Order::Backward, Order::Forward)},        //  29 Checkerboard right rebound
    {Checkers, CheckerRow(O::kDown, Order::Backward, Order::Backward)},        //  30 Checkerboard up
    {Checkers, CheckerRow(O::kDown, Order::Backward, Order::Forward)},         //  31 Checkerboard up rebound
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::LeftBottom}},         //  32 Circle left-bottom
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::LeftTop}},            //  33 Circle left-top
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::RightBottom}},        //  34 Circle right-bottom
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::RightTop}},           //  35 Circle right-top
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::Middle}},             //  36 Circle(Center)
    {CircleSweep, {.delayMs = 1, .variant = SweepCentre::Random}},             //  37 Circle(Random)
    {CrossWipe, {.delayMs = 2, .variant = Reveal::FromCenter}},                //  38 Cross wipe from center
    {CrossWipe, {.delayMs = 2, .variant = Reveal::ToCenter}},                  //  39 Cross wipe to center
    {DiamondWipe, {.delayMs = 2, .variant = Reveal::FromCenter}},              //  40 Diamond from center
    {DiamondWipe, {.delayMs = 2, .variant = Reveal::ToCenter}},                //  41 Diamond to center
    {EllipseWipe, {.delayMs = 2, .variant = EllipseForm::FromCenter}},         //  42 Ellipse from center
    {EllipseWipe, {.delayMs = 2, .variant = EllipseForm::ToCenter}},           //  43 Ellipse to center
    {EllipseWipe, {.delayMs = 2, .variant = EllipseForm::RandomCircle}},       //  44 Ellipse(Random)
    {FanWipe, {.delayMs = 2, .variant = Rotation::Clockwise}},                 //  45 Fan wipe
    {FanWipe, {.delayMs = 2, .variant = Rotation::Anticlockwise}},             //  46 Fan wipe(Anticlockwise)
    {IncreaseShow, {.delayMs = 10}},                                           //  47 Increase show
    {LineForward, {.orientation = O::kDown, .delayMs = 10, .variant = SecondPass::SameWay}},  //  48 Line down
    {LineForward, {.orientation = O::kDown, .delayMs = 10, .variant = SecondPass::Rebound}},  //  49 Line down rebound
    {LineBackward, {.orientation = O::kRight, .delayMs = 5, .variant = SecondPass::SameWay}}, //  50 Line left
    {LineBackward, {.orientation = O::kRight, .delayMs = 5, .variant = SecondPass::Rebound}}, //  51 Line left rebound
    {LineForward, {.orientation = O::kRight, .delayMs = 5, .variant = SecondPass::SameWay}},  //  52 Line right
    {LineForward, {.orientation = O::kRight, .delayMs = 5, .variant = SecondPass::Rebound}},  //  53 Line right rebound
    {LineBackward, {.orientation = O::kDown, .delayMs = 5, .variant = SecondPass::SameWay}},  //  54 Line up
    {LineBackward, {.orientation = O::kDown, .delayMs = 5, .variant = SecondPass::Rebound}},  //  55 Line up rebound
    {RandomLines, {.orientation = O::kDown, .delayMs = 8}},                                   //  56 Lines(Horizontal)
    {RandomLines, {.orientation = O::kRight, .delayMs = 8}},                                  //  57 Lines(Vertical)
    {Mosaic, {.delayMs = 8}},                                                                 //  58 Mosaic
    {MoveWhole, MoveRow(O::kDown, 1)},                                                        //  59 Move down
    {MoveHalfThenSlideOut, MoveRow(O::kDown, 1, 1000)},                                       //  60 Move down 1
    {MoveHalfThenEnter, MoveRow(O::kDown, 1)},                                                //  61 Move down 2
    {MoveFarHalfThenSlideOut, MoveRow(O::kDown, 1)},                                          //  62 Move down 3
    {MoveFarHalfThenEnter, MoveRow(O::kDown, 1)},                                             //  63 Move down 4
    {MoveStrips, MoveRow(O::kDown, 1)},                                                       //  64 Move down 5
    {MoveCorner, MoveRow(O::Mirrored(false, true), 1)},                             //  65 Move from bottom left
    {MoveCorner, MoveRow(O::Mirrored(true, true), 2)},                              //  66 Move from bottom right
    {MoveCorner, MoveRow(O::kDown, 2)},                                             //  67 Move from top left
    {MoveCorner, MoveRow(O::Mirrored(true, false), 2)},                             //  68 Move from top right
    {MoveWhole, MoveRow(O::kLeft, 2)},                                              //  69 Move left
    {MoveHalfThenSlideOut, MoveRow(O::kLeft, 2, 1000)},                             //  70 Move left 1
    {MoveHalfThenEnter, MoveRow(O::kLeft, 1)},                                      //  71 Move left 2
    {MoveFarHalfThenSlideOut, MoveRow(O::kLeft, 1)},                                //  72 Move left 3
    {MoveFarHalfThenEnter, MoveRow(O::kLeft, 2)},                                   //  73 Move left 4
    {MoveStrips, MoveRow(O::kLeft, 2)},                                             //  74 Move left 5
    {MoveBothHalves, MoveRow(O::kRight, 2)},                                        //  75 Move left right
    {MoveWhole, MoveRow(O::kRight, 2)},                                             //  76 Move right
    {MoveHalfThenSlideOut, MoveRow(O::kRight, 2, 1000)},                            //  77 Move right 1
    {MoveHalfThenEnter, MoveRow(O::kRight, 2, 800)},                                //  78 Move right 2
    {MoveFarHalfThenSlideOut, MoveRow(O::kRight, 2, 1000)},                         //  79 Move right 3
    {MoveFarHalfThenEnter, MoveRow(O::kRight, 2, 1000)},                            //  80 Move right 4
    {MoveStrips, MoveRow(O::kRight, 2)},                                            //  81 Move right 5
    {MoveWhole, MoveRow(O::kUp, 2)},                                                //  82 Move up
    {MoveHalfThenSlideOut, MoveRow(O::kUp, 2, 1000)},                               //  83 Move up 1
    {MoveHalfThenEnter, MoveRow(O::kUp, 2, 1000)},                                  //  84 Move up 2
    {MoveFarHalfThenSlideOut, MoveRow(O::kUp, 2, 1000)},                            //  85 Move up 3
    {MoveFarHalfThenEnter, MoveRow(O::kUp, 2, 1000)},                               //  86 Move up 4
    {MoveStrips, MoveRow(O::kUp, 2)},                                               //  87 Move up 5
    {MoveBothHalves, MoveRow(O::kDown, 2)},                                         //  88 Move up down
    {MultiBox, {.delayMs = 2, .variant = Reveal::FromCenter}},                      //  89 Multi-Box from center
    {MultiBox, {.delayMs = 2, .variant = Reveal::ToCenter}},                        //  90 Multi-Box to center
    {MultiWipe, {.delayMs = 1, .variant = Corner::BottomLeft}},                     //  91 Multi-Wipe from bottom-left
    {MultiWipe, {.delayMs = 1, .variant = Corner::BottomRight}},                    //  92 Multi-Wipe from bottom-right
    {MultiWipe, {.delayMs = 1, .variant = Corner::TopLeft}},                        //  93 Multi-Wipe from left-top
    {MultiWipe, {.delayMs = 1, .variant = Corner::TopRight}},                       //  94 Multi-Wipe from right-top
    {Rain, {.delayMs = 1, .variant = RainForm::LeadingHalftone}},                   //  95 Rain down
    {Rain, {.orientation = O::kLeft, .delayMs = 1, .variant = RainForm::Trailing}}, //  96 Rain left
    {Rain, {.orientation = O::kRight, .delayMs = 1, .variant = RainForm::Leading}}, //  97 Rain right
    {Rain, {.orientation = O::kUp, .delayMs = 1, .variant = RainForm::Trailing}},   //  98 Rain up
    {RandomCrossLines, {.delayMs = 5}},                                             //  99 Random crossLines
    {Roll, {.delayMs = 5}},                                                         // 100 Roll down
    {Roll, {.orientation = O::kLeft, .delayMs = 5}},                                // 101 Roll left
    {Roll, {.orientation = O::kRight, .delayMs = 5}},                               // 102 Roll right
    {Roll, {.orientation = O::kUp, .delayMs = 5}},                                  // 103 Roll up
    {Scan, {.delayMs = 2, .variant = ScanEnd::PastEdge}},                           // 104 Scan down
    {ScanLeft, {.delayMs = 5}},                                                     // 105 Scan left
    {Scan, {.orientation = O::kRight, .delayMs = 5, .variant = ScanEnd::BeforeEdge}},  // 106 Scan right
    {ScanToCenter, {.orientation = O::kDown, .delayMs = 5}},                           // 107 Scan to center(Horizontal)
    {ScanToCenter, {.orientation = O::kRight, .delayMs = 5}},                          // 108 Scan to center(Vertical)
    {ScanToEdge, {.orientation = O::kDown, .delayMs = 5}},                             // 109 Scan to edge(Horizontal)
    {ScanToEdge, {.orientation = O::kRight, .delayMs = 5}},                            // 110 Scan to edge(Vertical)
    {Scan, {.orientation = O::kUp, .delayMs = 5, .variant = ScanEnd::WholeSlide}},     // 111 Scan up
    {FromCorner, {.orientation = O::Mirrored(false, true), .delayMs = 5}},             // 112 Show from bottom-left
    {FromCorner, {.orientation = O::Mirrored(true, true), .delayMs = 5}},              // 113 Show from bottom-right
    {FromCorner, {.orientation = O::kDown, .delayMs = 5}},                             // 114 Show from top-left
    {FromCorner, {.orientation = O::Mirrored(true, false), .delayMs = 5}},             // 115 Show from top-right
    {Comb, {.delayMs = 2, .variant = CombLines::Columns}},                             // 116 Show left-right
    {Comb, {.delayMs = 2, .variant = CombLines::Rows}},                                // 117 Show up-dwon
    {Shutter, {.orientation = O::kDown, .delayMs = 2, .variant = BackStrips::InStep}}, // 118 Shutter(Horizontal)
    {Shutter, {.orientation = O::kRight, .delayMs = 2, .variant = BackStrips::OneAhead}}, // 119 Shutter(Vertical)
    {StretchEdge, {.orientation = O::kUp, .delayMs = 2}},                                 // 120 Stretch from bottom
    {StretchCorner, {.delayMs = 2, .variant = Corner::BottomLeft}},    // 121 Stretch from bottom-left
    {StretchCorner, {.delayMs = 2, .variant = Corner::BottomRight}},   // 122 Stretch from bottom-right
    {StretchCenter, {.delayMs = 2}},                                   // 123 Stretch from center
    {StretchEdge, {.orientation = O::kRight, .delayMs = 2}},           // 124 Stretch from left
    {StretchEdge, {.orientation = O::kLeft, .size = 2, .delayMs = 2}}, // 125 Stretch from right
    {StretchEdge, {.delayMs = 2}},                                     // 126 Stretch from top
    {StretchCorner, {.delayMs = 2, .variant = Corner::TopLeft}},       // 127 Stretch from top-left
    {StretchCorner, {.delayMs = 2, .variant = Corner::TopRight}},      // 128 Stretch from top-right
    {SweepForward, {.orientation = O::kDown, .delayMs = 30, .variant = SweepStart::AtTheSlide}}, // 129 Sweep down
    {SweepBackward, {.orientation = O::kRight, .delayMs = 30}},                                  // 130 Sweep left
    {SweepForward,
     {.orientation = O::kRight, .delayMs = 30, .variant = SweepStart::AheadOfTheSlide}},  // 131 Sweep right
    {SweepBackward, {.orientation = O::kDown, .delayMs = 30}},                            // 132 Sweep up
    {TwoBars, {.orientation = O::kDown, .delayMs = 2, .variant = BarMotion::Move}},       // 133 Tow bar move down
    {TwoBars, {.orientation = O::kUp, .delayMs = 2, .variant = BarMotion::Move}},         // 134 Tow bar move up
    {TwoBars, {.orientation = O::kDown, .delayMs = 2, .variant = BarMotion::Wipe}},       // 135 Tow bar wipe down
    {TwoBars, {.orientation = O::kUp, .delayMs = 2, .variant = BarMotion::Wipe}},         // 136 Tow bar wipe up
    {TwoBars, {.orientation = O::kLeft, .delayMs = 2, .variant = BarMotion::Move}},       // 137 Two bar move left
    {TwoBars, {.orientation = O::kRight, .delayMs = 2, .variant = BarMotion::Move}},      // 138 Two bar move right
    {TwoBars, {.orientation = O::kLeft, .delayMs = 2, .variant = BarMotion::Wipe}},       // 139 Two bar wipe left
    {TwoBars, {.orientation = O::kRight, .delayMs = 2, .variant = BarMotion::Wipe}},      // 140 Two bar wipe right
    {WedgeWipe, {.orientation = O::kDown, .delayMs = 2}},                                 // 141 Wedge wipe down
    {WedgeWipe, {.orientation = O::kLeft, .delayMs = 2}},                                 // 142 Wedge wipe left
    {WedgeWipe, {.orientation = O::kRight, .delayMs = 2}},                                // 143 Wedge wipe right
    {WedgeWipe, {.orientation = O::kUp, .delayMs = 2}},                                   // 144 Wedge wipe up
    {WindowBlind, {.orientation = O::kDown, .delayMs = 30, .variant = Order::Forward}},   // 145 Window blind down
    {WindowBlind, {.orientation = O::kRight, .delayMs = 30, .variant = Order::Backward}}, // 146 Window blind left
    {WindowBlind, {.orientation = O::kRight, .delayMs = 30, .variant = Order::Forward}},  // 147 Window blind right
    {WindowBlind, {.orientation = O::kDown, .delayMs = 30, .variant = Order::Backward}},  // 148 Window blind up
    {CornerWipe, CornerWipeRow(Corner::BottomLeft, Pairing::Alone)},                      // 149 Wipe from left-bottom
    {CornerWipe, CornerWipeRow(Corner::TopLeft, Pairing::Alone)},                         // 150 Wipe from left-top
    {CornerWipe, CornerWipeRow(Corner::TopLeft, Pairing::WithOpposite)},  // 151 Wipe from left-top/right-bottom
    {CornerWipe, CornerWipeRow(Corner::BottomRight, Pairing::Alone)},     // 152 Wipe from right-bottom
    {CornerWipe, CornerWipeRow(Corner::TopRight, Pairing::Alone)},        // 153 Wipe from right-top
    {CornerWipe, CornerWipeRow(Corner::TopRight, Pairing::WithOpposite)}, // 154 Wipe from right-top/left-bottom
    {CornerWipe, CornerWipeRow(Corner::TopLeft, Pairing::Closing)},       // 155 Wipe to left-top/right-bottom
    {CornerWipe, CornerWipeRow(Corner::TopRight, Pairing::Closing)},      // 156 Wipe to right-top/left-bottom
    {ZigZag, {.orientation = O::kDown, .delayMs = 25}},                   // 157 Zig-zag down
    {ZigZag, {.orientation = O::kLeft, .delayMs = 25}},                   // 158 Zig-zag left
    {ZigZag, {.orientation = O::kRight, .delayMs = 25}},                  // 159 Zig-zag right
    {ZigZag, {.orientation = O::kUp, .delayMs = 25}},                     // 160 Zig-zag up
    // Added after the first 161, so that every stored effect number keeps its meaning.
    {Fade, {.delayMs = 20, .variant = FadeForm::Direct}},       // 161 Fade
    {Fade, {.delayMs = 20, .variant = FadeForm::ThroughBlack}}, // 162 Fade through black
};
static_assert(std::size(kEffects) == kEffectCount, "one row per effect index");

} // namespace

const EffectEntry* FindEffect(int index)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    return &kEffects[index];
}
