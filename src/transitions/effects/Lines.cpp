// Interlaced lines: two passes of 2-pixel lines, the first every fourth line, the second the lines between.
// The geometry is written on rows at their real positions (n is the slide's height, or its width when the
// axes are swapped); the forward variants start at the top (left), the backward ones at the bottom (right).
// A stop in the first pass still lets the second draw its first line before it ends.
#include "transitions/EffectKit.h"
#include "transitions/effects/Families.h"

namespace {

constexpr int kThickness = 2;
constexpr int kSpacing = 4;

class LineDrawer {
public:
    LineDrawer(TransitionEngine& fx, const EffectParams& p) : fx_(fx), p_(p), slide_(fx.SlideSize()) { }
    int Extent() const { return p_.orientation.Extent(slide_).cy; }
    int Length() const { return p_.orientation.Extent(slide_).cx; }
    // One line per frame; false when a stop ended the pass.
    bool Line(int y)
    {
        fx_.CopySlide(p_.orientation.Map(Rect{0, y, Length(), y + kThickness}, slide_));
        return fx_.EndFrame(p_.delayMs);
    }

private:
    TransitionEngine& fx_;
    const EffectParams& p_;
    Size slide_;
};

// A forward pass: the first line is always drawn, the next one only while it still starts within n.
bool ForwardPass(LineDrawer& lines, int first)
{
    const int n = lines.Extent();
    for (long long y = first;; y += kSpacing) {
        if (!lines.Line(static_cast<int>(y)))
            return false;
        if (y + kSpacing > n)
            return true;
    }
}

// Lines at from, from - 4, ... while y >= 0.
bool BackwardPass(LineDrawer& lines, long long from)
{
    for (long long y = from; y >= 0; y -= kSpacing) {
        if (!lines.Line(static_cast<int>(y)))
            return false;
    }
    return true;
}

} // namespace

// Rows 0, 4, ... then 2, 6, ... ("Line down", "Line right"); or, rebounding, rows 0, 4, ... while within
// n, then back up from the last 4k + 2 below n.
void LineForward(TransitionEngine& fx, const EffectParams& p)
{
    LineDrawer lines(fx, p);
    const int n = lines.Extent();
    if (std::get<SecondPass>(p.variant) == SecondPass::SameWay) {
        ForwardPass(lines, 0);
        ForwardPass(lines, 2);
        return;
    }
    for (long long y = 0; y <= n; y += kSpacing) {
        if (!lines.Line(static_cast<int>(y)))
            break;
    }
    BackwardPass(lines, n >= 3 ? (n - 3) / kSpacing * kSpacing + 2 : -1);
}

// Rows n - 2, n - 6, ... then n - 4, n - 8, ... ("Line up", "Line left"); or, rebounding, the same first
// pass, then downwards by 4 while within n, from 0, 1, 2 or -1 as n modulo 4 is 0, 1, 2 or 3.
void LineBackward(TransitionEngine& fx, const EffectParams& p)
{
    LineDrawer lines(fx, p);
    const int n = lines.Extent();
    BackwardPass(lines, static_cast<long long>(n) - 2);
    if (std::get<SecondPass>(p.variant) == SecondPass::SameWay) {
        BackwardPass(lines, static_cast<long long>(n) - 4);
        return;
    }
    static constexpr int kReboundStart[kSpacing] = {0, 1, 2, -1};
    for (long long y = kReboundStart[n % kSpacing]; y <= n; y += kSpacing) {
        if (!lines.Line(static_cast<int>(y)))
            break;
    }
}
