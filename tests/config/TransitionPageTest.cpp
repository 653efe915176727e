#include "config/TransitionPage.h"
#include "base/EffectCount.h"
#include "model/UserSettings.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TransitionPage, StoredListChecksRowsFollowedBySemicolon)
{
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"3;5;", {3, 5}},
        {"3;5", {3}},   // the last entry lacks its ";"
        {";3;", {}},    // a list that begins with ";" checks nothing
        {"3;;5;", {3}}, // the walk ends at an empty piece
        {"x;", {0}},    // no digits read as 0
        {" 7;+8;-1;", {7, 8, -1}},
        {"12abc;", {12}},
        {"99999999999;", {INT_MAX}},
        {"", {}},
    };
    for (const auto& [list, rows] : cases)
        EXPECT_EQ(ParseTransitionList(list), rows) << '"' << list << '"';
}

TEST(TransitionPage, ListIsRebuiltFromTheChecks)
{
    std::vector<int> states(kEffectCount, 1);
    EXPECT_EQ(BuildTransitionList(states), UserSettings::AllEffects());
    std::fill(states.begin(), states.end(), 0);
    EXPECT_EQ(BuildTransitionList(states), "");
    states[3] = 1;
    states[5] = 2; // partly checked rows count as chosen
    EXPECT_EQ(BuildTransitionList(states), "3;5;");
}

TEST(TransitionPage, SpeedIsSavedWithinTheSpeedControlsRange)
{
    UserSettings settings;
    for (auto [stored, saved] : {std::pair{150, 100}, {-5, 0}, {25, 25}}) {
        settings.transitionSpeed = stored;
        StoreTransitionPage(LoadTransitionPage(settings), std::vector<int>(kEffectCount, 1), settings);
        EXPECT_EQ(settings.transitionSpeed, saved) << stored;
    }
    TransitionPageValues page{1, 0, 40};
    StoreTransitionPage(page, std::vector<int>(kEffectCount, 0), settings);
    EXPECT_EQ(settings.useOwnTransitions, 1);
    EXPECT_EQ(settings.randomTransitions, 0);
    EXPECT_EQ(settings.transitionList, "") << "Clear all leaves an empty list";
}
