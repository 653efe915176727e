#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/Geometry.h"

// Splits text into the lines DrawText would show: breaks at CR LF, CR and LF (unless singleLine) and,
// with wordBreak, before a word that would make a line wider than `width`. Blanks at a word break are
// dropped; a word wider than the whole line stays unbroken on its own line. A final line break does not
// start another line.
std::vector<std::string> BreakTextLines(std::string_view text, int width, bool wordBreak, bool singleLine,
                                        const std::function<int(std::string_view)>& measure);

// Text drawing shared by renderers that draw one line at a time: lays text out like DrawText and draws it
// with drawLine(x, y, line). Returns the text height; with kDtCalcRect only updates rect.
int LayOutTextInRect(Rect& rect, std::string_view text, unsigned format, int lineHeight,
                     const std::function<int(std::string_view)>& measure,
                     const std::function<void(int, int, const std::string&)>& drawLine);
