#include "config/TransitionPage.h"

#include "model/UserSettings.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

// atoi's reading, saturated instead of overflowing: blanks, a sign, then digits.
int ReadNumber(const std::string& text, size_t begin, size_t end)
{
    size_t i = begin;
    while (i < end && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < end && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

std::vector<int> ParseTransitionList(const std::string& list)
{
    std::vector<int> rows;
    size_t begin = 0;
    // The walk ends at the first empty piece, so a list that begins with ";" checks nothing.
    for (size_t end = list.find(';'); end != std::string::npos && end > begin; end = list.find(';', begin)) {
        rows.push_back(ReadNumber(list, begin, end));
        begin = end + 1;
    }
    return rows;
}

std::string BuildTransitionList(const std::vector<int>& states)
{
    std::string list;
    for (size_t i = 0; i < states.size(); ++i) {
        if (states[i] != 0)
            list += std::to_string(i) + ";";
    }
    return list;
}

TransitionPageValues LoadTransitionPage(const UserSettings& s)
{
    return TransitionPageValues{s.useOwnTransitions, s.randomTransitions,
                                std::clamp(s.transitionSpeed, kSpeedMin, kSpeedMax)};
}

void StoreTransitionPage(const TransitionPageValues& page, const std::vector<int>& states, UserSettings& s)
{
    s.useOwnTransitions = page.useOwnTransitions;
    s.randomTransitions = page.randomTransitions;
    s.transitionSpeed = std::clamp(page.speed, kSpeedMin, kSpeedMax);
    s.transitionList = BuildTransitionList(states);
}
