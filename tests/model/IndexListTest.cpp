#include "model/IndexList.h"
#include "support/SequenceRandom.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

TEST(IndexListParse, ReadsNumbersEachEndedBySemicolon)
{
    EXPECT_THAT(ParseIndexList("0;1;2;"), ElementsAre(0, 1, 2));
    EXPECT_THAT(ParseIndexList(" 0; 1;  2;"), ElementsAre(0, 1, 2));
    EXPECT_THAT(ParseIndexList(" 3;"), ElementsAre(3));
    EXPECT_THAT(ParseIndexList("160;"), ElementsAre(160));
}

TEST(IndexListParse, IgnoresTextAfterLastSemicolonAndEmptyPieces)
{
    EXPECT_THAT(ParseIndexList("5;6"), ElementsAre(5));
    EXPECT_THAT(ParseIndexList("1;;2;"), ElementsAre(1, 2));
    EXPECT_THAT(ParseIndexList("; ;"), ElementsAre());
    EXPECT_THAT(ParseIndexList(""), ElementsAre());
    EXPECT_THAT(ParseIndexList("7"), ElementsAre());
}

TEST(IndexListParse, SkipsPiecesWithoutNumberOrOutOfRange)
{
    EXPECT_THAT(ParseIndexList("x;4;99999999999;8;"), ElementsAre(4, 8));
}

TEST(IndexListFormat, RoundTripsThroughParse)
{
    EXPECT_EQ(FormatIndexList({0, 12, 160}), "0;12;160;");
    EXPECT_THAT(ParseIndexList(FormatIndexList({4, 4, 9})), ElementsAre(4, 4, 9));
    EXPECT_EQ(FormatIndexList({}), "");
}

TEST(IndexListPick, InTurnWrapsAround)
{
    SequenceRandom rng({0});
    int position = -1;
    std::vector<int> picked;
    for (int i = 0; i < 4; ++i)
        picked.push_back(PickFromIndexList("0;1;2;", false, position, rng));
    EXPECT_THAT(picked, ElementsAre(0, 1, 2, 0));
    EXPECT_EQ(position, 0);
}

TEST(IndexListPick, SingleEntryAndUnterminatedTail)
{
    SequenceRandom rng({0});
    int position = -1;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PickFromIndexList(" 3;", false, position, rng), 3);
    position = -1;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PickFromIndexList("5;6", false, position, rng), 5);
}

TEST(IndexListPick, EmptyListGivesMinusOneAndKeepsPosition)
{
    SequenceRandom rng({0});
    int position = 4;
    EXPECT_EQ(PickFromIndexList("", true, position, rng), -1);
    EXPECT_EQ(PickFromIndexList("", false, position, rng), -1);
    EXPECT_EQ(position, 4);
}

TEST(IndexListPick, PositionBeyondShorterListRestartsAtFirst)
{
    SequenceRandom rng({0});
    int position = 7;
    EXPECT_EQ(PickFromIndexList("10;11;", false, position, rng), 10);
    EXPECT_EQ(position, 0);
}

TEST(IndexListPick, RandomTakesGeneratorModuloLength)
{
    SequenceRandom rng({5, 3, -7});
    int position = -1;
    EXPECT_EQ(PickFromIndexList("10;11;12;", true, position, rng), 12); // 5 % 3
    EXPECT_EQ(position, 2);
    EXPECT_EQ(PickFromIndexList("10;11;12;", true, position, rng), 10); // 3 % 3
    // A negative number from a foreign generator still lands inside the list.
    const int v = PickFromIndexList("10;11;12;", true, position, rng);
    EXPECT_GE(position, 0);
    EXPECT_LT(position, 3);
    EXPECT_EQ(v, 10 + position);
}
