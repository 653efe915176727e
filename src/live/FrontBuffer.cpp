#include "live/FrontBuffer.h"

#include "gfx/Region.h"

namespace {

Rect Covering(const Rect& a, const Rect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

} // namespace

void FrontBuffer::Write(const Picture& from, const Rect& area, const Region* clip)
{
    if (!from.IsLoaded())
        return;
    bool announce = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        announce = changed_.IsEmpty();
        Rect copy = area.Intersect(from.GetRect());
        if (!picture_.IsLoaded() || picture_.Width() != from.Width() || picture_.Height() != from.Height()) {
            if (!picture_.CreateBlank(from.Width(), from.Height(), 0))
                return;
            copy = from.GetRect();
            changed_ = Rect{};
            clip = nullptr; // a new picture takes all of it
        }
        if (copy.IsEmpty())
            return;
        if (clip)
            picture_.CopyThrough(from, *clip);
        else
            picture_.BitBlt(copy.left, copy.top, copy.Width(), copy.Height(), from, copy.left, copy.top);
        changed_ = Covering(changed_, copy);
    }
    if (announce && onChange)
        onChange();
}

bool FrontBuffer::Take(bool all, const std::function<void(const Picture&, const Rect&)>& take)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!picture_.IsLoaded() || (!all && changed_.IsEmpty()))
        return false;
    take(picture_, all ? picture_.GetRect() : changed_);
    changed_ = Rect{};
    return true;
}

bool FrontBuffer::Changed() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return !changed_.IsEmpty();
}

Size FrontBuffer::PictureSize() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return picture_.IsLoaded() ? Size{picture_.Width(), picture_.Height()} : Size{};
}
