// Text on Windows: GDI fonts drawn straight into the picture's DIB section.
#include <cstring>

#include "gfx/TextRenderer.h"
#include "gfx/win32/PictureDC.h"

namespace {

class GdiTextRenderer final : public TextRenderer {
public:
    GdiTextRenderer() : m_measureDC(CreateCompatibleDC(nullptr)) { }
    ~GdiTextRenderer() override
    {
        if (m_font)
            DeleteObject(m_font);
        if (m_measureDC)
            DeleteDC(m_measureDC);
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
        if (m_font)
            DeleteObject(m_font);
        m_font = font;
        return true;
    }

    std::string FaceName() const override
    {
        if (!m_font || !m_measureDC)
            return {};
        HGDIOBJ old = SelectObject(m_measureDC, m_font);
        char name[LF_FACESIZE] = {};
        GetTextFaceA(m_measureDC, LF_FACESIZE, name);
        SelectObject(m_measureDC, old);
        return name;
    }

    Size MeasureString(const std::string& text) override
    {
        if (!m_font || !m_measureDC)
            return {};
        HGDIOBJ old = SelectObject(m_measureDC, m_font);
        SIZE size{};
        GetTextExtentPoint32A(m_measureDC, text.c_str(), static_cast<int>(text.size()), &size);
        if (text.empty()) {
            TEXTMETRICA tm{};
            GetTextMetricsA(m_measureDC, &tm);
            size.cy = tm.tmHeight;
        }
        SelectObject(m_measureDC, old);
        return {size.cx, size.cy};
    }

    int LineHeight() override
    {
        if (!m_font || !m_measureDC)
            return 0;
        HGDIOBJ old = SelectObject(m_measureDC, m_font);
        TEXTMETRICA tm{};
        GetTextMetricsA(m_measureDC, &tm);
        SelectObject(m_measureDC, old);
        return tm.tmHeight;
    }

    void DrawString(Picture& target, int x, int y, const std::string& text, Colorref colour) override
    {
        HDC dc = PictureDC(target);
        if (!dc || !m_font)
            return;
        GdiClipScope clip(target);
        Prepared state(dc, m_font, colour);
        TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    }

    int DrawStringInRect(Picture& target, Rect& rect, const std::string& text, Colorref colour,
                         unsigned format) override
    {
        HDC dc = (format & kDtCalcRect) ? m_measureDC : PictureDC(target);
        if (!dc || !m_font)
            return 0;
        GdiClipScope clip(target);
        Prepared state(dc, m_font, colour);
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
            : m_dc(dc),
              m_oldFont(SelectObject(dc, font)),
              m_oldColour(SetTextColor(dc, colour)),
              m_oldMode(SetBkMode(dc, TRANSPARENT))
        {
            GdiFlush();
        }
        ~Prepared()
        {
            GdiFlush(); // the pixels are read directly after the call
            SetBkMode(m_dc, m_oldMode);
            SetTextColor(m_dc, m_oldColour);
            SelectObject(m_dc, m_oldFont);
        }

    private:
        HDC m_dc;
        HGDIOBJ m_oldFont;
        COLORREF m_oldColour;
        int m_oldMode;
    };

    HDC m_measureDC;
    HFONT m_font = nullptr;
};

} // namespace

std::unique_ptr<TextRenderer> CreateTextRenderer()
{
    return std::make_unique<GdiTextRenderer>();
}
