#include "config/CheckListModel.h"

#include <gtest/gtest.h>

namespace {

// a (b (c, d), e), f: display rows a=0 b=1 c=2 d=3 e=4 f=5.
struct Tree {
    CheckListModel model;
    CheckListItem *a, *b, *c, *d, *e, *f;
    Tree()
    {
        model.SetMetrics(19, 18);
        a = model.AddItem("a", nullptr, 0, 0, 10, {});
        b = model.AddItem("b", a, 0, 0, 10, {});
        c = model.AddItem("c", b, 0, 0, 100, {});
        f = model.AddItem("f", nullptr, 0, 0, 10, {});
        d = model.AddItem("d", b, 0, 0, 10, {});
        e = model.AddItem("e", a, 0, 0, 10, {});
    }
};

} // namespace

TEST(CheckListModel, RowsFollowDisplayOrder)
{
    Tree t;
    EXPECT_EQ(t.model.GetCount(), 6);
    const CheckListItem* order[] = {t.a, t.b, t.c, t.d, t.e, t.f};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(t.model.ItemAt(row), order[row]) << row;
        EXPECT_EQ(t.model.RowOf(order[row]), row);
    }
    EXPECT_EQ(t.model.ItemAt(6), nullptr);
    EXPECT_EQ(t.model.ItemAt(-1), nullptr);
    EXPECT_EQ(t.c->level, 3);
    EXPECT_EQ(t.c->width, 19 * 3 + 100 + 5);
    EXPECT_EQ(t.model.MaxWidth(), t.c->width);
    EXPECT_EQ(t.model.AddItem("bad", nullptr, 3, 0, 10, {}), nullptr);
    EXPECT_EQ(t.model.GetCount(), 6);
}

TEST(CheckListModel, ChecksOutOfRangeAreRefused)
{
    Tree t;
    EXPECT_EQ(t.model.SetCheck(6, 1), -1);
    EXPECT_EQ(t.model.SetCheck(-1, 1), -1);
    EXPECT_EQ(t.model.SetCheck(0, 3), -1);
    EXPECT_EQ(t.model.GetCheck(6), -1);
    EXPECT_EQ(t.model.GetCheck(-1), -1);
    EXPECT_EQ(t.model.SetCheck(5, 1), 0);
    EXPECT_EQ(t.model.GetCheck(5), 1);
}

TEST(CheckListModel, ParentsShowWhetherTheirChildrenAreChecked)
{
    Tree t;
    t.model.SetCheck(2, 1); // c
    EXPECT_EQ(t.b->state, 2);
    EXPECT_EQ(t.a->state, 2);
    t.model.SetCheck(3, 1); // d
    EXPECT_EQ(t.b->state, 1);
    EXPECT_EQ(t.a->state, 2) << "e is still unchecked";

    // Toggling carries the new state down to every descendant; a partly checked item becomes unchecked.
    t.model.Toggle(t.a);
    EXPECT_EQ(t.model.States(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    t.model.Toggle(t.a);
    EXPECT_EQ(t.model.States(), (std::vector<int>{1, 1, 1, 1, 1, 0}));
    // A partly checked child keeps its parent partly checked, even when no sibling is unchecked.
    t.model.Toggle(t.c);
    EXPECT_EQ(t.model.States(), (std::vector<int>{2, 2, 0, 1, 1, 0}));
    t.model.Toggle(t.b);
    EXPECT_EQ(t.model.States(), (std::vector<int>{2, 0, 0, 0, 1, 0}));
}

TEST(CheckListModel, ClickHitsTheRowWhereItIsDrawn)
{
    Tree t;
    // Rows start below a 5-pixel margin; the box of a level-1 item spans x 5 to 23.
    EXPECT_EQ(t.model.HitTest(10, 4, 0, 0).row, -1);
    EXPECT_EQ(t.model.HitTest(10, 5, 0, 0).row, 0);
    EXPECT_EQ(t.model.HitTest(10, 22, 0, 0).row, 0);
    EXPECT_EQ(t.model.HitTest(10, 23, 0, 0).row, 1);
    EXPECT_EQ(t.model.HitTest(10, 23, 2, 0).row, 3);
    EXPECT_TRUE(t.model.HitTest(5, 10, 0, 0).onBox);
    EXPECT_TRUE(t.model.HitTest(23, 10, 0, 0).onBox);
    EXPECT_FALSE(t.model.HitTest(24, 10, 0, 0).onBox) << "the text selects without toggling";
    EXPECT_FALSE(t.model.HitTest(4, 10, 0, 0).onBox);
    // Level 3 (c, row 2) is indented by two boxes; a list scrolled right moves the boxes left.
    EXPECT_TRUE(t.model.HitTest(5 + 38, 5 + 2 * 18, 0, 0).onBox);
    EXPECT_FALSE(t.model.HitTest(5, 5 + 2 * 18, 0, 0).onBox);
    EXPECT_TRUE(t.model.HitTest(5 + 38 - 20, 5 + 2 * 18, 0, 20).onBox);
    EXPECT_FALSE(t.model.HitTest(10, 5 + 9 * 18, 0, 0).onBox) << "below the last row";
}

TEST(CheckListModel, ScrollBarsAppearWhenItemsDoNotFit)
{
    // 161 effects in rows of 18 pixels.
    CheckListScroll s = ComputeCheckListScroll(161, 150, 18, 169, 135);
    EXPECT_EQ(s.rowsFit, 7);
    EXPECT_TRUE(s.vertical);
    EXPECT_EQ(s.verticalMax, 154);
    EXPECT_FALSE(s.horizontal);
    s = ComputeCheckListScroll(161, 200, 18, 169, 161 * 18);
    EXPECT_FALSE(s.vertical);
    EXPECT_TRUE(s.horizontal);
    EXPECT_EQ(s.horizontalMax, 31);
    s = ComputeCheckListScroll(161, 200, 18, 0, 0);
    EXPECT_EQ(s.rowsFit, 0);
    EXPECT_EQ(s.verticalMax, 161);

    EXPECT_EQ(ScrollPosition(0, ScrollRequest::LineBack, 1, 6, 154, 0), 0);
    EXPECT_EQ(ScrollPosition(153, ScrollRequest::LineForward, 1, 6, 154, 0), 154);
    EXPECT_EQ(ScrollPosition(150, ScrollRequest::PageForward, 1, 6, 154, 0), 154);
    EXPECT_EQ(ScrollPosition(10, ScrollRequest::PageBack, 1, 6, 154, 0), 4);
    EXPECT_EQ(ScrollPosition(10, ScrollRequest::PageBack, 1, 0, 154, 0), 9) << "a page is at least a row";
    EXPECT_EQ(ScrollPosition(10, ScrollRequest::Track, 1, 6, 154, 77), 77);
    EXPECT_EQ(ScrollPosition(10, ScrollRequest::Track, 1, 6, 154, 400), 154);
}
