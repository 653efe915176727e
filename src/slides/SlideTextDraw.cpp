#include "gfx/Picture.h"
#include "model/MediaPlaylist.h"
#include "slides/SlideBackground.h"
#include "slides/SlideGeometry.h"
#include "slides/SlideText.h"

#include <algorithm>
#include <memory>

namespace {

TextRenderer* g_renderer = nullptr;

} // namespace

TextRenderer& SlideTextRenderer()
{
    if (g_renderer)
        return *g_renderer;
    static std::unique_ptr<TextRenderer> platform = CreateTextRenderer();
    return *platform;
}

TextRenderer* SetSlideTextRenderer(TextRenderer* renderer)
{
    TextRenderer* previous = g_renderer;
    g_renderer = renderer;
    return previous;
}

void SlideBackground::DrawTitle()
{
    if (!target_ || !target_->IsLoaded() || !mediaSetting_)
        return;
    const MediaSettingsRecord& r = mediaSetting_->Record();
    const std::string& title = mediaSetting_->GetTitle();
    // An empty title draws nothing: no font is looked up for it (the first lookup loads the font setup).
    if (!r.ShowTitle() || title.empty())
        return;
    const FontSpec font = MakeSlideFont(mediaSetting_->GetTitleFontName(), mediaSetting_->GetTitleFontStyle(),
                                        r.TitleSize(), r.TitleCharset(), dpiY_);
    TextRenderer& text = SlideTextRenderer();
    if (!text.SelectFont(font))
        return;
    const Size size = text.MeasureString(title);
    const TextPoint at =
        PlaceText(r.TitlePosition(), target_->Width(), target_->Height(), size.cx, size.cy, r.TitleX(), r.TitleY());
    text.DrawString(*target_, at.x, at.y, title, r.TitleColour());
}

void SlideBackground::DrawDescription()
{
    if (!target_ || !target_->IsLoaded() || !mediaSetting_)
        return;
    const MediaSettingsRecord& r = mediaSetting_->Record();
    const std::string& desc = mediaSetting_->GetDesc();
    if (!r.ShowDesc() || desc.empty())
        return;
    const FontSpec font = MakeSlideFont(mediaSetting_->GetDescFontName(), mediaSetting_->GetDescFontStyle(),
                                        r.DescSize(), r.DescCharset(), dpiY_);
    const std::vector<std::string> lines = SplitDescriptionLines(desc);
    if (lines.empty())
        return;
    TextRenderer& text = SlideTextRenderer();
    if (!text.SelectFont(font))
        return;
    int w = 0;
    int lineHeight = 0;
    for (const std::string& line : lines) {
        const Size size = text.MeasureString(line);
        w = std::max(w, size.cx);
        lineHeight = std::max(lineHeight, size.cy);
    }
    const int h = lineHeight * static_cast<int>(lines.size());
    const TextPoint at = PlaceText(r.DescPosition(), target_->Width(), target_->Height(), w, h, r.DescX(), r.DescY());
    Rect box{at.x, at.y - 8, at.x + w, at.y + h};
    text.DrawStringInRect(*target_, box, desc + "\r\n", r.DescColour(), kDtWordBreak);
}
