#pragma once
#include <variant>

// What a table row picks within its effect family: the corner a shape grows from, the way a pass runs, and
// so on. Each family has its own kind and reads only that one; families with a single form take none.

// The corner a shape grows from (corner bands, corner stretches, multi-wipes, corner wipes).
enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };
constexpr bool AtRight(Corner c)
{
    return c == Corner::TopRight || c == Corner::BottomRight;
}
constexpr bool AtBottom(Corner c)
{
    return c == Corner::BottomLeft || c == Corner::BottomRight;
}

// The way a pass over lines or cells runs: from the first to the last, or back (window blinds).
enum class Order { Forward, Backward };

// Checkerboards: the way each of the two passes over the lines runs.
struct PassOrder {
    Order first = Order::Forward;
    Order second = Order::Forward;
};

// Interlaced lines: the second pass runs the same way as the first, or rebounds from the far side.
enum class SecondPass { SameWay, Rebound };

// Shapes opening from the centre or closing in on it (block spirals, crosses, diamonds, multi-boxes).
enum class Reveal { FromCenter, ToCenter };

// Ellipses: centred and opening or closing, or a circle growing round a random point.
enum class EllipseForm { FromCenter, ToCenter, RandomCircle };

// Fans: the way the blades turn.
enum class Rotation { Clockwise, Anticlockwise };

// Corner wipes: one corner's triangle alone, with the diagonally opposite one growing at the same time, or
// the two shrinking into their corners while the slide shows outside them.
enum class Pairing { Alone, WithOpposite, Closing };
struct CornerWipeForm {
    Corner corner = Corner::TopLeft;
    Pairing pairing = Pairing::Alone;
};

// Radial sweeps: the point the fan turns about, which also sets the phases it runs through.
enum class SweepCentre { LeftBottom, LeftTop, RightBottom, RightTop, Middle, Random };

// Scans: the last strip is the one before the far edge, or the first at or beyond it; or the scan stops
// before the edge and closes with the whole slide (also after a stop).
enum class ScanEnd { BeforeEdge, PastEdge, WholeSlide };

// Rain: the leading forms stretch the band just reached over the rest (one of them in HALFTONE mode for
// its run), the trailing form copies that band in place and stretches it.
enum class RainForm { Leading, LeadingHalftone, Trailing };

// Two bars: each half moves in whole, or is wiped in place.
enum class BarMotion { Move, Wipe };

// Combs: the slide's columns interleave, or its rows.
enum class CombLines { Columns, Rows };

// Shutters: the backward strips run in step with the forward ones, or one strip ahead.
enum class BackStrips { InStep, OneAhead };

// Forward sweeps: the band pattern is drawn from its start ahead of the slide, or only once its first band
// reaches the slide.
enum class SweepStart { AheadOfTheSlide, AtTheSlide };

// Fades: straight from what is on screen to the slide, or through black.
enum class FadeForm { Direct, ThroughBlack };

using EffectVariant =
    std::variant<std::monostate, Corner, Order, PassOrder, SecondPass, Reveal, EllipseForm, Rotation, CornerWipeForm,
                 SweepCentre, ScanEnd, RainForm, BarMotion, CombLines, BackStrips, SweepStart, FadeForm>;
