#include "gfx/TextLayout.h"

#include <algorithm>

#include "gfx/TextRenderer.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Breaks one paragraph (no line breaks inside) into lines of at most `width`.
void BreakParagraph(std::string_view para, int width, const std::function<int(std::string_view)>& measure,
                    std::vector<std::string>& out)
{
    size_t pos = 0;
    while (true) {
        // The line starts at pos; extend it word by word while it fits.
        size_t end = pos;
        size_t accepted = std::string_view::npos; // end of the last word that fits
        while (end < para.size()) {
            size_t next = end;
            while (next < para.size() && IsBlank(para[next]))
                ++next;
            while (next < para.size() && !IsBlank(para[next]))
                ++next;
            if (accepted != std::string_view::npos && measure(para.substr(pos, next - pos)) > width)
                break;
            accepted = next;
            end = next;
        }
        if (accepted == std::string_view::npos)
            accepted = para.size();
        out.emplace_back(para.substr(pos, accepted - pos));
        pos = accepted;
        while (pos < para.size() && IsBlank(para[pos]))
            ++pos; // blanks at the break vanish
        if (pos >= para.size())
            return;
    }
}

} // namespace

std::vector<std::string> BreakTextLines(std::string_view text, int width, bool wordBreak, bool singleLine,
                                        const std::function<int(std::string_view)>& measure)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size() || (pos == 0 && text.empty())) {
        size_t end = pos;
        if (!singleLine)
            while (end < text.size() && text[end] != '\r' && text[end] != '\n')
                ++end;
        else
            end = text.size();
        std::string_view para = text.substr(pos, end - pos);
        if (singleLine) {
            std::string flat(para);
            std::replace(flat.begin(), flat.end(), '\r', ' ');
            std::replace(flat.begin(), flat.end(), '\n', ' ');
            lines.push_back(flat);
        } else if (wordBreak && !para.empty()) {
            BreakParagraph(para, width, measure, lines);
        } else {
            lines.emplace_back(para);
        }
        if (end >= text.size())
            break;
        // one line break: CR LF, CR or LF
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

int LayOutTextInRect(Rect& rect, std::string_view text, unsigned format, int lineHeight,
                     const std::function<int(std::string_view)>& measure,
                     const std::function<void(int, int, const std::string&)>& drawLine)
{
    const std::vector<std::string> lines =
        BreakTextLines(text, rect.Width(), (format & kDtWordBreak) != 0, (format & kDtSingleLine) != 0, measure);
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & kDtCalcRect) {
        int widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, measure(line));
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    int y = rect.top;
    for (const std::string& line : lines) {
        int x = rect.left;
        if (format & (kDtCenter | kDtRight)) {
            const int w = measure(line);
            x = (format & kDtCenter) ? rect.left + (rect.Width() - w) / 2 : rect.right - w;
        }
        if (!line.empty())
            drawLine(x, y, line);
        y += lineHeight;
    }
    return height;
}
