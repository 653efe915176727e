#include "scrpack/manifest/ClosestWord.h"

#include "base/TextCase.h"

#include <algorithm>

namespace {

// Lower case, '-' as '_', and no blanks: "Band-Down large" and "band_downlarge" are spelled alike.
std::string Folded(const std::string& word)
{
    std::string out;
    for (char c : ToLowerAscii(word)) {
        if (c != ' ')
            out += c == '-' ? '_' : c;
    }
    return out;
}

// The number of single-character insertions, deletions, substitutions and swaps of neighbours between two words.
size_t EditDistance(const std::string& x, const std::string& y)
{
    std::vector<std::vector<size_t>> d(x.size() + 1, std::vector<size_t>(y.size() + 1));
    for (size_t i = 0; i <= x.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= y.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= x.size(); ++i) {
        for (size_t j = 1; j <= y.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (x[i - 1] == y[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[x.size()][y.size()];
}

} // namespace

std::string ClosestWord(const std::string& word, const std::vector<std::string>& candidates)
{
    const std::string folded = Folded(word);
    std::string closest;
    size_t best = std::max<size_t>(2, folded.size() / 3) + 1;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(folded, Folded(candidate));
        if (distance < best) {
            best = distance;
            closest = candidate;
        }
    }
    return closest;
}
