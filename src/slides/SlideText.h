#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/MulDiv.h"
#include "gfx/TextRenderer.h"

// The font of a slide's title or description from the media item's settings. The style text is a list
// such as "1;2;": 1 bold, 2 italic, 3 underline, 4 strike-out, each found anywhere in it (so "12;" is bold
// and italic too). Height = -MulDiv(points, dpiY, 72); variable pitch, roman family.
FontSpec MakeSlideFont(const std::string& face, const std::string& style, int points, uint8_t charset, int dpiY);

// The lines of a description: the text with CR LF appended, cut at every CR LF. A text that begins with
// CR LF gives no line at all; a last line that is empty is dropped.
std::vector<std::string> SplitDescriptionLines(const std::string& text);

// The renderer slide texts are drawn with: the platform's, unless replaced (null puts it back). Returns
// the previous replacement. For tests and hosts.
TextRenderer& SlideTextRenderer();
TextRenderer* SetSlideTextRenderer(TextRenderer* renderer);
