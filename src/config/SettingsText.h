#pragma once
#include <string>
#include <vector>

class UserSettings;

// The user settings as text, by the names the settings pages' controls stand for: what `screensaver
// settings` prints and what its --set NAME=VALUE changes. Values go through the pages' own rules, so a
// change made here is the one the dialog would make.

// One line "name = value" per setting, then the chosen effects by name.
std::string DescribeSettings(const UserSettings& settings);

// Applies the assignments in order to settings. False with a message naming the first bad one (unknown
// name, missing "=", value of the wrong kind or out of range); settings are then left unchanged.
bool AssignSettings(UserSettings& settings, const std::vector<std::string>& assignments, std::string& error);

// The names, in the order DescribeSettings prints them.
std::vector<std::string> SettingNames();
