#include "slides/SlideText.h"

#include <cstdlib>
#include <limits>

namespace {

constexpr size_t kMaxFaceName = 31;

} // namespace

FontSpec MakeSlideFont(const std::string& face, const std::string& style, int points, uint8_t charset, int dpiY)
{
    FontSpec font;
    font.face = face.substr(0, kMaxFaceName);
    font.height = -MulDivRound(points, dpiY, 72);
    // The markers are looked for one digit at a time anywhere in the text, so a list written without its
    // separators ("12;") still sets both styles.
    font.weight = style.find('1') != std::string::npos ? 700 : 400;
    font.italic = style.find('2') != std::string::npos;
    font.underline = style.find('3') != std::string::npos;
    font.strikeOut = style.find('4') != std::string::npos;
    font.charSet = charset;
    font.pitchAndFamily = 18; // VARIABLE_PITCH | FF_ROMAN
    return font;
}

std::vector<std::string> SplitDescriptionLines(const std::string& text)
{
    std::vector<std::string> lines;
    const std::string all = text + "\r\n";
    if (all.compare(0, 2, "\r\n") == 0)
        return lines;
    size_t start = 0;
    for (size_t cut = all.find("\r\n"); cut != std::string::npos; cut = all.find("\r\n", start)) {
        lines.push_back(all.substr(start, cut - start));
        start = cut + 2;
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}
