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

void FrontBuffer::Write(const Picture& from, const std::vector<Rect>& areas, const std::vector<Region>& regions)
{
    if (!from.IsLoaded())
        return;
    bool announce = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        const bool wasChanged = !changed_.IsEmpty();
        if (!picture_.IsLoaded() || picture_.Width() != from.Width() || picture_.Height() != from.Height()) {
            // A new picture takes all of it.
            if (!picture_.CreateBlank(from.Width(), from.Height(), 0))
                return;
            picture_.BitBlt(0, 0, from.Width(), from.Height(), from, 0, 0);
            changed_ = from.GetRect();
        } else {
            for (const Rect& area : areas) {
                const Rect copy = area.Intersect(from.GetRect());
                if (copy.IsEmpty())
                    continue;
                picture_.BitBlt(copy.left, copy.top, copy.Width(), copy.Height(), from, copy.left, copy.top);
                changed_ = Covering(changed_, copy);
            }
            for (const Region& region : regions) {
                const Rect copy = region.Bounds().Intersect(from.GetRect());
                if (copy.IsEmpty())
                    continue;
                picture_.CopyThrough(from, region);
                changed_ = Covering(changed_, copy);
            }
        }
        announce = !wasChanged && !changed_.IsEmpty();
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
