#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/Geometry.h"
#include "gfx/Picture.h"

// A font as a Windows LOGFONT describes it.
struct FontSpec {
    std::string face; // face name; at most 31 characters are used; a missing face gets a substitute
    int height = 0;   // < 0: character (em) height in pixels; > 0: cell height; 0: a default size
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 1;        // LOGFONT character set; selects the code page of the narrow text
    uint8_t pitchAndFamily = 0; // the family bits (FF_ROMAN, FF_SWISS, FF_MODERN, ...) guide the substitute
};

// DrawText formats understood by DrawStringInRect (the Windows DT_ values).
constexpr unsigned kDtLeft = 0x0000;
constexpr unsigned kDtCenter = 0x0001;
constexpr unsigned kDtRight = 0x0002;
constexpr unsigned kDtWordBreak = 0x0010;
constexpr unsigned kDtSingleLine = 0x0020;
constexpr unsigned kDtNoClip = 0x0100;
constexpr unsigned kDtCalcRect = 0x0400;

// Text in the narrow code page of the font's character set, drawn with a transparent background into a
// picture (honouring its clip region). GDI on Windows, FreeType and fontconfig elsewhere.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Selects the font for the following calls. Returns false only when no font at all is available.
    virtual bool SelectFont(const FontSpec& font) = 0;
    // The face actually used (the substitute when the requested face is missing).
    virtual std::string FaceName() const = 0;
    // Extent of one line of text (GetTextExtentPoint32): advance width and cell height.
    virtual Size MeasureString(const std::string& text) = 0;
    // Cell height of the font (ascent + descent).
    virtual int LineHeight() = 0;
    // Draws one line with its cell's top-left corner at (x, y).
    virtual void DrawString(Picture& target, int x, int y, const std::string& text, Colorref colour) = 0;
    // Draws text into the rectangle like DrawText with the given kDt flags: lines break at CR LF, CR and
    // LF and, with kDtWordBreak, between words where a line would not fit; output is clipped to the
    // rectangle unless kDtNoClip. With kDtCalcRect nothing is drawn and rect's right and bottom are set
    // to the extent the text needs. Returns the height of the text.
    virtual int DrawStringInRect(Picture& target, Rect& rect, const std::string& text, Colorref colour,
                                 unsigned format) = 0;
};

// The platform's text renderer.
std::unique_ptr<TextRenderer> CreateTextRenderer();
