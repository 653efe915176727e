#include "config/SettingsText.h"
#include "base/TextCase.h"

#include "config/SettingPage.h"
#include "config/TransitionPage.h"
#include "model/TableFields.h"
#include "model/UserSettings.h"
#include "saver/MonitorRect.h"
#include "transitions/EffectNames.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

enum class Kind { Switch, Number, Key, Effects };

struct Entry {
    const char* name;
    Kind kind;
    int SettingPageValues::*setting = nullptr;
    int TransitionPageValues::*transitions = nullptr;
    int min = 0, max = 0;
};

using S = SettingPageValues;
using T = TransitionPageValues;
const Entry kEntries[] = {
    {"any-event", Kind::Switch, &S::anyEvent},
    {"mouse-move", Kind::Switch, &S::mouseMove},
    {"mouse-left-click", Kind::Switch, &S::mouseLeftClick},
    {"mouse-right-click", Kind::Switch, &S::mouseRightClick},
    {"mouse-double-click", Kind::Switch, &S::mouseDoubleClick},
    {"esc-key", Kind::Switch, &S::escKey},
    {"enter-key", Kind::Switch, &S::enterKey},
    {"specified-key", Kind::Switch, &S::specifiedKey},
    {"key", Kind::Key},
    {"mouse-threshold", Kind::Number, &S::sliderPosition, nullptr, kSliderMin, kSliderMax},
    {"mute", Kind::Switch, &S::mute},
    {"time-limit", Kind::Switch, &S::timeLimit},
    {"time-limit-minutes", Kind::Number, &S::spinPosition, nullptr, kMinutesMin, kMinutesMax},
    // Monitors the show's window can be placed on; 0 is the whole virtual screen.
    {"monitor", Kind::Number, &S::monitor, nullptr, 0, static_cast<int>(MonitorTable::kMaxMonitors)},
    {"own-transitions", Kind::Switch, nullptr, &T::useOwnTransitions},
    {"random-transitions", Kind::Switch, nullptr, &T::randomTransitions},
    {"speed", Kind::Number, nullptr, &T::speed, kSpeedMin, kSpeedMax},
    {"effects", Kind::Effects},
};

// The settings as the pages hold them; only a page something was assigned to is stored back.
struct Pages {
    explicit Pages(const UserSettings& s)
        : setting(LoadSettingPage(s)), transitions(LoadTransitionPage(s)), states(kEffectCount, 0)
    {
        for (int row : ParseTransitionList(s.transitionList)) {
            if (row >= 0 && row < kEffectCount)
                states[static_cast<size_t>(row)] = 1;
        }
    }
    int& Value(const Entry& e) { return e.setting ? setting.*e.setting : transitions.*e.transitions; }

    SettingPageValues setting;
    TransitionPageValues transitions;
    std::vector<int> states;
    bool settingChanged = false;
    bool transitionsChanged = false;
};

std::string Trim(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool ParseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

bool ParseSwitch(const std::string& text, int& value)
{
    const std::string lower = ToLowerAscii(text);
    for (const char* on : {"on", "yes", "true", "1"}) {
        if (lower == on)
            return value = 1, true;
    }
    for (const char* off : {"off", "no", "false", "0"}) {
        if (lower == off)
            return value = 0, true;
    }
    return false;
}

// "all", "none" or effects by number or name separated by "," or ";".
bool ParseEffects(const std::string& text, std::vector<int>& states, std::string& error)
{
    const std::string lower = ToLowerAscii(Trim(text));
    states.assign(kEffectCount, lower == "all" ? 1 : 0);
    if (lower == "all" || lower == "none" || lower.empty())
        return true;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find_first_of(",;", begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string piece = Trim(text.substr(begin, end - begin));
        begin = end + 1;
        if (piece.empty())
            continue;
        int index = -1;
        if (!ParseInt(piece, index))
            index = FindEffectByName(piece);
        else if (index < 0 || index >= kEffectCount)
            return error = "effects: there is no effect " + piece + " (they are numbered 0 to " +
                       std::to_string(kEffectCount - 1) + ")",
                   false;
        if (index < 0)
            return error = "effects: no effect is named \"" + piece + "\"", false;
        states[static_cast<size_t>(index)] = 1;
    }
    return true;
}

bool Assign(Pages& pages, const std::string& assignment, std::string& error)
{
    const size_t eq = assignment.find('=');
    if (eq == std::string::npos)
        return error = "--set wants NAME=VALUE, not \"" + assignment + "\"", false;
    const std::string name = ToLowerAscii(Trim(assignment.substr(0, eq)));
    const std::string value = Trim(assignment.substr(eq + 1));
    const Entry* entry =
        std::find_if(std::begin(kEntries), std::end(kEntries), [&](const Entry& e) { return name == e.name; });
    if (entry == std::end(kEntries)) {
        error = "unknown setting \"" + name + "\"; the settings are:";
        for (const Entry& e : kEntries)
            error += std::string(" ") + e.name;
        return false;
    }
    const std::string quoted = "\"" + value + "\"";
    switch (entry->kind) {
    case Kind::Switch: {
        int v = 0;
        if (!ParseSwitch(value, v))
            return error = name + " wants on or off, not " + quoted, false;
        pages.Value(*entry) = v;
        break;
    }
    case Kind::Number: {
        int v = 0;
        if (!ParseInt(value, v) || v < entry->min || v > entry->max)
            return error = name + " wants a whole number from " + std::to_string(entry->min) + " to " +
                       std::to_string(entry->max) + ", not " + quoted,
                   false;
        pages.Value(*entry) = v;
        break;
    }
    case Kind::Key:
        if (value.size() > 1 || (value.size() == 1 && static_cast<unsigned char>(value[0]) < 0x20))
            return error = "key wants one character (or nothing), not " + quoted, false;
        pages.setting.keyText = value;
        break;
    case Kind::Effects:
        if (!ParseEffects(value, pages.states, error))
            return false;
        break;
    }
    (entry->setting || entry->kind == Kind::Key ? pages.settingChanged : pages.transitionsChanged) = true;
    return true;
}

std::string EffectsValue(const std::vector<int>& states)
{
    if (std::all_of(states.begin(), states.end(), [](int s) { return s != 0; }))
        return "all";
    std::string list;
    for (size_t i = 0; i < states.size(); ++i) {
        if (states[i] != 0)
            list.append(list.empty() ? "" : ",").append(std::to_string(i));
    }
    return list.empty() ? "none" : list;
}

} // namespace

std::vector<std::string> SettingNames()
{
    std::vector<std::string> names;
    for (const Entry& e : kEntries)
        names.emplace_back(e.name);
    return names;
}

bool AssignSettings(UserSettings& settings, const std::vector<std::string>& assignments, std::string& error)
{
    Pages pages(settings);
    for (const std::string& assignment : assignments) {
        if (!Assign(pages, assignment, error))
            return false;
    }
    if (pages.settingChanged)
        StoreSettingPage(pages.setting, settings);
    if (pages.transitionsChanged)
        StoreTransitionPage(pages.transitions, pages.states, settings);
    return true;
}

std::string DescribeSettings(const UserSettings& settings)
{
    Pages pages(settings);
    std::string text;
    for (const Entry& e : kEntries) {
        std::string value;
        switch (e.kind) {
        case Kind::Switch: value = pages.Value(e) ? "on" : "off"; break;
        case Kind::Number: value = std::to_string(pages.Value(e)); break;
        case Kind::Key: value = pages.setting.keyText; break;
        case Kind::Effects: value = EffectsValue(pages.states); break;
        }
        text += std::string(e.name) + " =" + (value.empty() ? "" : " " + value) + "\n";
    }
    for (size_t i = 0; i < pages.states.size(); ++i) {
        if (pages.states[i] == 0)
            continue;
        char line[96];
        std::snprintf(line, sizeof line, "%7zu  %s\n", i, EffectName(static_cast<int>(i)));
        text += line;
    }
    return text;
}
