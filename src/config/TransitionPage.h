#pragma once
#include <string>
#include <vector>

class UserSettings;

// The rows the stored effect list checks: every piece followed by ";" read as a decimal number the way
// atoi reads it (a piece without digits is 0), up to the first empty piece; text after the last ";" is
// ignored. Numbers outside the list's rows are returned too; the list ignores them.
std::vector<int> ParseTransitionList(const std::string& list);

// The effect list for the rows' check states: "i;" for every row i that is not unchecked.
std::string BuildTransitionList(const std::vector<int>& states);

// The Transitions page's values other than the list.
struct TransitionPageValues {
    int useOwnTransitions = 0;
    int randomTransitions = 0;
    int speed = 0; // kept within the speed control's range
};
constexpr int kSpeedMin = 0, kSpeedMax = 100;

TransitionPageValues LoadTransitionPage(const UserSettings& settings);
// Writes the values and the list built from the rows' states.
void StoreTransitionPage(const TransitionPageValues& page, const std::vector<int>& states, UserSettings& settings);
