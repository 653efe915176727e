// Text on Windows: GDI fonts drawn straight into the picture's DIB section.
#include <cstring>

#include "gfx/TextRenderer.h"
#include "gfx/win32/PictureDC.h"

namespace {

class GdiTextRenderer final : public TextRenderer {
public:
    GdiTextRenderer() : measureDC_(CreateCompatibleDC(nullptr)) { }
    ~GdiTextRenderer() override
    {
        if (font_)
            DeleteObject(font_);
        if (measureDC_)
            DeleteDC(measureDC_);
    }

    bool SelectFont(const FontSpec& spec) override
    {
        LOGFONTA lf{};
        lf.lfHeight = spec.height;
        lf.lfWeight = spec.weight;
        lf.lfItalic = spec.italic ? 1 : 0;
        lf.lfUnderline = spec.underline ? 1 : 0;
        lf.lfStrikeOut = spec.strikeOut ? 1 : 0;
        lf.lfCharSet = spec.charSet;
        lf.lfQuality = PROOF_QUALITY;
        lf.lfPitchAndFamily = spec.pitchAndFamily;
        std::strncpy(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE - 1);
        HFONT font = CreateFontIndirectA(&lf);
        if (!font)
            return false;
        if (font_)
            DeleteObject(font_);
        font_ = font;
        return true;
    }

    std::string FaceName() const override
    {
        if (!font_ || !measureDC_)
            return {};
        HGDIOBJ old = SelectObject(measureDC_, font_);
        char name[LF_FACESIZE] = {};
        GetTextFaceA(measureDC_, LF_FACESIZE, name);
        SelectObject(measureDC_, old);
        return name;
    }

    Size MeasureString(const std::string& text) override
    {
        if (!font_ || !measureDC_)
            return {};
        HGDIOBJ old = SelectObject(measureDC_, font_);
        SIZE size{};
        GetTextExtentPoint32A(measureDC_, text.c_str(), static_cast<int>(text.size()), &size);
        if (text.empty()) {
            TEXTMETRICA tm{};
            GetTextMetricsA(measureDC_, &tm);
            size.cy = tm.tmHeight;
        }
        SelectObject(measureDC_, old);
        return {size.cx, size.cy};
    }

    int LineHeight() override
    {
        if (!font_ || !measureDC_)
            return 0;
        HGDIOBJ old = SelectObject(measureDC_, font_);
        TEXTMETRICA tm{};
        GetTextMetricsA(measureDC_, &tm);
        SelectObject(measureDC_, old);
        return tm.tmHeight;
    }

    void DrawString(Picture& target, int x, int y, const std::string& text, Colorref colour) override
    {
        HDC dc = PictureDC(target);
        if (!dc || !font_)
            return;
        GdiClipScope clip(target);
        Prepared state(dc, font_, colour);
        TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    }

    int DrawStringInRect(Picture& target, Rect& rect, const std::string& text, Colorref colour,
                         unsigned format) override
    {
        HDC dc = (format & kDtCalcRect) ? measureDC_ : PictureDC(target);
        if (!dc || !font_)
            return 0;
        GdiClipScope clip(target);
        Prepared state(dc, font_, colour);
        RECT r{rect.left, rect.top, rect.right, rect.bottom};
        const int height = DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
        if (format & kDtCalcRect)
            rect = Rect{r.left, r.top, r.right, r.bottom};
        return height;
    }

private:
    // Font, colour and transparent background selected for one call, put back afterwards.
    class Prepared {
    public:
        Prepared(HDC dc, HFONT font, Colorref colour)
            : dc_(dc),
              oldFont_(SelectObject(dc, font)),
              oldColour_(SetTextColor(dc, colour)),
              oldMode_(SetBkMode(dc, TRANSPARENT))
        {
            GdiFlush();
        }
        ~Prepared()
        {
            GdiFlush(); // the pixels are read directly after the call
            SetBkMode(dc_, oldMode_);
            SetTextColor(dc_, oldColour_);
            SelectObject(dc_, oldFont_);
        }

    private:
        HDC dc_;
        HGDIOBJ oldFont_;
        COLORREF oldColour_;
        int oldMode_;
    };

    HDC measureDC_;
    HFONT font_ = nullptr;
};

} // namespace

std::unique_ptr<TextRenderer> CreateTextRenderer()
{
    return std::make_unique<GdiTextRenderer>();
}
