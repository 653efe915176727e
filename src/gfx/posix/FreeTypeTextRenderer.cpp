// Text on Linux: fontconfig finds the face (or its substitute), FreeType renders anti-aliased glyphs that
// are blended into the picture. Sizes and metrics follow GDI's: a negative height is the em size, a
// positive one the cell height (Windows ascent + descent), and glyph advances are whole pixels.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "base/ByteOrder.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TextLayout.h"
#include "gfx/TextRenderer.h"

namespace {

constexpr int kDefaultHeight = 16;

// The code page of a LOGFONT character set.
const char* CodePageOf(uint8_t charSet)
{
    switch (charSet) {
    case 128: return "CP932";  // SHIFTJIS
    case 129: return "CP949";  // HANGUL
    case 134: return "GBK";    // GB2312
    case 136: return "BIG5";   // CHINESEBIG5
    case 161: return "CP1253"; // GREEK
    case 162: return "CP1254"; // TURKISH
    case 177: return "CP1255"; // HEBREW
    case 178: return "CP1256"; // ARABIC
    case 186: return "CP1257"; // BALTIC
    case 204: return "CP1251"; // RUSSIAN
    case 222: return "CP874";  // THAI
    case 238: return "CP1250"; // EASTEUROPE
    default: return "CP1252";
    }
}

std::u32string Decode(const std::string& text, uint8_t charSet)
{
    std::u32string out;
    if (charSet == 2) { // SYMBOL: symbol fonts map bytes into the private area
        for (unsigned char c : text)
            out.push_back(c);
        return out;
    }
    iconv_t cd = iconv_open("UTF-32LE", CodePageOf(charSet));
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (unsigned char c : text)
            out.push_back(c);
        return out;
    }
    std::string in = text;
    char* inPtr = in.data();
    size_t inLeft = in.size();
    std::vector<char> buffer(4 * (in.size() + 1));
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        for (char* p = buffer.data(); p + 4 <= outPtr; p += 4) {
            out.push_back(ReadLE32(reinterpret_cast<const uint8_t*>(p)));
        }
        if (r == static_cast<size_t>(-1) && inLeft > 0) {
            out.push_back(0xFFFD); // a byte the code page does not define
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

const char* GenericFamily(uint8_t pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case 0x10: return "serif";     // FF_ROMAN
    case 0x30: return "monospace"; // FF_MODERN
    case 0x40: return "cursive";   // FF_SCRIPT
    default: return "sans-serif";
    }
}

// Faces of Windows that Linux lacks, with the faces drawn in their place: metric-compatible ones first (the
// same advances, so titles break into the same lines), then alike in kind, then the kind itself. A face
// unknown to fontconfig falls through to the generic family of the LOGFONT's pitch and family, which for
// "MS Sans Serif" in a FF_ROMAN LOGFONT would be a serif face.
struct FaceSubstitute {
    const char* face;
    const char* families[3];
    const char* generic;
};
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"ms sans serif", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"microsoft sans serif", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"ms shell dlg", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"ms shell dlg 2", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"tahoma", {"DejaVu Sans", "Liberation Sans", "Arimo"}, "sans-serif"},
    {"verdana", {"DejaVu Sans", "Liberation Sans", "Arimo"}, "sans-serif"},
    {"segoe ui", {"Liberation Sans", "Arimo", "DejaVu Sans"}, "sans-serif"},
    {"arial narrow", {"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"}, "sans-serif"},
    {"times new roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}, "serif"},
    {"ms serif", {"Liberation Serif", "Tinos", "DejaVu Serif"}, "serif"},
    {"georgia", {"DejaVu Serif", "Liberation Serif", "Tinos"}, "serif"},
    {"courier new", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}, "monospace"},
    {"courier", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}, "monospace"},
    {"lucida console", {"DejaVu Sans Mono", "Liberation Mono", "Cousine"}, "monospace"},
    {"consolas", {"DejaVu Sans Mono", "Liberation Mono", "Cousine"}, "monospace"},
};

const FaceSubstitute* SubstituteOf(const std::string& face)
{
    std::string lower;
    for (char c : face)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    for (const FaceSubstitute& s : kFaceSubstitutes) {
        if (lower == s.face)
            return &s;
    }
    return nullptr;
}

struct Library {
    FT_Library ft = nullptr;
    std::mutex lock;
    Library()
    {
        if (FT_Init_FreeType(&ft) != 0)
            ft = nullptr;
        FcInit();
    }
    // Releasing fontconfig's caches at exit keeps leak checkers quiet. FreeType stays: a renderer that
    // outlives this object may still hold a face.
    ~Library() { FcFini(); }
};

Library& TheLibrary()
{
    static Library library;
    return library;
}

class FreeTypeTextRenderer final : public TextRenderer {
public:
    // Touching the library first makes it outlive renderers kept in statics.
    FreeTypeTextRenderer() { TheLibrary(); }
    ~FreeTypeTextRenderer() override { Close(); }

    bool SelectFont(const FontSpec& font) override
    {
        Close();
        font_ = font;
        Library& lib = TheLibrary();
        if (!lib.ft)
            return false;
        std::string file;
        int index = 0;
        bool matchBold = false, matchItalic = false;
        {
            std::lock_guard<std::mutex> guard(lib.lock);
            FcPattern* pattern = FcPatternCreate();
            const std::string face = font.face.substr(0, 31);
            const FaceSubstitute* substitute = SubstituteOf(face);
            // The face itself where it is installed; otherwise its substitutes.
            if (!face.empty())
                FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
            if (substitute) {
                for (const char* family : substitute->families)
                    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
            }
            FcPatternAddString(pattern, FC_FAMILY,
                               reinterpret_cast<const FcChar8*>(substitute ? substitute->generic
                                                                           : GenericFamily(font.pitchAndFamily)));
            FcPatternAddInteger(pattern, FC_WEIGHT,
                                FcWeightFromOpenType(std::clamp(font.weight > 0 ? font.weight : 400, 1, 1000)));
            FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
            FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
            FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result;
            FcPattern* match = FcFontMatch(nullptr, pattern, &result);
            FcPatternDestroy(pattern);
            if (!match)
                return false;
            FcChar8* value = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
                file = reinterpret_cast<const char*>(value);
            if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
                faceName_ = reinterpret_cast<const char*>(value);
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            matchBold = weight >= FC_WEIGHT_DEMIBOLD;
            matchItalic = slant != FC_SLANT_ROMAN;
            FcPatternDestroy(match);
            if (file.empty() || FT_New_Face(lib.ft, file.c_str(), index, &face_) != 0) {
                face_ = nullptr;
                return false;
            }
        }
        emboldenSynth_ = font.weight >= 600 && !matchBold;
        obliqueSynth_ = font.italic && !matchItalic;
        SetSize();
        return true;
    }

    std::string FaceName() const override { return faceName_; }

    Size MeasureString(const std::string& text) override
    {
        if (!face_)
            return {};
        int width = 0;
        for (char32_t c : Decode(text, font_.charSet))
            width += Advance(c);
        return {width, LineHeight()};
    }

    int LineHeight() override { return ascent_ + descent_; }

    void DrawString(Picture& target, int x, int y, const std::string& text, Colorref colour) override
    {
        if (!face_ || !target.IsLoaded())
            return;
        const uint32_t pixel = PixelFromColorref(colour);
        const int baseline = y + ascent_;
        int penX = x;
        for (char32_t c : Decode(text, font_.charSet)) {
            if (LoadGlyph(c, true)) {
                const FT_GlyphSlot g = face_->glyph;
                BlendBitmap(target, g->bitmap, penX + g->bitmap_left, baseline - g->bitmap_top, pixel);
            }
            penX += Advance(c);
        }
        // Underline and strike-out run under the whole advance, as GDI draws them.
        if (font_.underline && penX > x)
            target.FillRect({x, baseline + underlinePos_, penX, baseline + underlinePos_ + lineThickness_}, colour);
        if (font_.strikeOut && penX > x)
            target.FillRect({x, baseline - strikePos_, penX, baseline - strikePos_ + lineThickness_}, colour);
    }

    int DrawStringInRect(Picture& target, Rect& rect, const std::string& text, Colorref colour,
                         unsigned format) override
    {
        if (!face_)
            return 0;
        // Clip to the rectangle by narrowing the picture's clip region for the duration of the call.
        std::unique_ptr<Region> saved;
        const bool clip = !(format & (kDtNoClip | kDtCalcRect)) && target.IsLoaded();
        if (clip) {
            if (target.GetClipRgn())
                saved = std::make_unique<Region>(*target.GetClipRgn());
            Region narrowed = Region::FromRect(rect);
            if (saved)
                narrowed.Combine(*saved, RegionOp::And);
            target.SelectClipRgn(&narrowed);
        }
        const int height = LayOutTextInRect(
            rect, text, format, LineHeight(), [&](std::string_view s) { return MeasureString(std::string(s)).cx; },
            [&](int x, int y, const std::string& line) { DrawString(target, x, y, line, colour); });
        if (clip)
            target.SelectClipRgn(saved.get());
        return height;
    }

private:
    void Close()
    {
        if (face_) {
            std::lock_guard<std::mutex> guard(TheLibrary().lock);
            FT_Done_Face(face_);
        }
        face_ = nullptr;
        faceName_.clear();
        advances_.clear();
    }

    void SetSize()
    {
        const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
        const double units = face_->units_per_EM ? face_->units_per_EM : 1000;
        double ascentUnits = face_->ascender, descentUnits = -face_->descender;
        if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            ascentUnits = os2->usWinAscent;
            descentUnits = os2->usWinDescent;
        }
        if (ascentUnits + descentUnits <= 0) {
            ascentUnits = units * 0.8;
            descentUnits = units * 0.2;
        }
        double em;
        if (font_.height < 0)
            em = -static_cast<double>(font_.height);
        else if (font_.height > 0)
            em = font_.height * units / (ascentUnits + descentUnits);
        else
            em = kDefaultHeight * units / (ascentUnits + descentUnits);
        em = std::clamp(em, 1.0, 2000.0);
        FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
        const double scale = em / units;
        ascent_ = static_cast<int>(std::lround(ascentUnits * scale));
        descent_ = static_cast<int>(std::lround(descentUnits * scale));
        lineThickness_ = std::max(1,
                                  static_cast<int>(std::lround(
                                      (face_->underline_thickness ? face_->underline_thickness : units / 20) * scale)));
        underlinePos_ = std::max(1, static_cast<int>(std::lround(-face_->underline_position * scale)));
        strikePos_ = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
            ? static_cast<int>(std::lround(os2->yStrikeoutPosition * scale))
            : ascent_ / 3;
        if (obliqueSynth_) {
            FT_Matrix shear{0x10000, 0x5800, 0, 0x10000}; // about 19 degrees, like a synthesized italic
            FT_Set_Transform(face_, &shear, nullptr);
        }
    }

    bool LoadGlyph(char32_t c, bool render)
    {
        FT_UInt index = FT_Get_Char_Index(face_, c);
        if (index == 0 && font_.charSet == 2)
            index = FT_Get_Char_Index(face_, 0xF000 + c);
        if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0)
            return false;
        if (emboldenSynth_)
            FT_GlyphSlot_Embolden(face_->glyph);
        if (render && face_->glyph->format != FT_GLYPH_FORMAT_BITMAP)
            return FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) == 0;
        return true;
    }

    int Advance(char32_t c)
    {
        auto it = std::find_if(advances_.begin(), advances_.end(), [c](const auto& a) { return a.first == c; });
        if (it != advances_.end())
            return it->second;
        int advance = 0;
        if (LoadGlyph(c, false))
            advance = static_cast<int>((face_->glyph->advance.x + 32) >> 6);
        if (advances_.size() < 512)
            advances_.emplace_back(c, advance);
        return advance;
    }

    static void BlendBitmap(Picture& target, const FT_Bitmap& bitmap, int left, int top, uint32_t pixel)
    {
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
            return;
        const Rect box = Rect::FromSize(left, top, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
        ForEachVisibleSpan(target, box, [&](int y, int x0, int x1) {
            const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y - top) * bitmap.pitch;
            uint32_t* d = target.Row(y);
            for (int x = x0; x < x1; ++x) {
                const int bx = x - left;
                unsigned a =
                    bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? src[bx] : ((src[bx >> 3] >> (7 - (bx & 7))) & 1) * 255;
                if (a == 0)
                    continue;
                const uint32_t old = d[x];
                uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const int o = (old >> shift) & 0xFF, n = (pixel >> shift) & 0xFF;
                    out |=
                        static_cast<uint32_t>((o * (255 - static_cast<int>(a)) + n * static_cast<int>(a) + 127) / 255)
                        << shift;
                }
                d[x] = out;
            }
        });
    }

    FontSpec font_;
    FT_Face face_ = nullptr;
    std::string faceName_;
    bool emboldenSynth_ = false;
    bool obliqueSynth_ = false;
    int ascent_ = 0, descent_ = 0;
    int underlinePos_ = 1, strikePos_ = 1, lineThickness_ = 1;
    std::vector<std::pair<char32_t, int>> advances_;
};

} // namespace

std::unique_ptr<TextRenderer> CreateTextRenderer()
{
    return std::make_unique<FreeTypeTextRenderer>();
}
