#include "base/TextCase.h"

// Names here are UTF-8 or another ASCII-compatible encoding: only ASCII letters change, so bytes of
// multibyte characters are never touched.
std::string LowerAnsi(const std::string& text)
{
    return ToLowerAscii(text);
}
