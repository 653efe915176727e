#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One row of the check list; rows nest, and a parent's check follows its children.
struct CheckListItem {
    CheckListItem* parent = nullptr;
    int state = 0;     // 0 unchecked, 1 checked, 2 partly checked
    int width = 0;     // indent times level, plus text width, plus 5
    int textWidth = 0; // as measured with the list's font
    int level = 1;     // 1 plus the number of ancestors
    bool selected = false;
    int data = 0;
    std::string text;
    uint32_t textColour = 0;
    uint32_t selectedTextColour = 0;
    uint32_t selectedBackground = 0;
    std::vector<std::unique_ptr<CheckListItem>> children;
};

// Colours of one row (COLORREF values).
struct CheckListColours {
    uint32_t text = 0;
    uint32_t selectedText = 0;
    uint32_t selectedBackground = 0;
};

// What the check list knows apart from its window: the items in display order (an item, then its
// children), their checks, the selection, and the geometry of rows and check boxes.
class CheckListModel {
public:
    // Rows are itemHeight apart; a check box takes indent pixels per level.
    void SetMetrics(int indent, int itemHeight);
    int Indent() const { return indent_; }
    int ItemHeight() const { return itemHeight_; }

    // Appends an item under parent (top level when null); null for a state outside 0 to 2.
    CheckListItem* AddItem(const std::string& text, CheckListItem* parent, int state, int data, int textWidth,
                           const CheckListColours& colours);

    int GetCount() const { return count_; }
    int MaxWidth() const { return maxWidth_; }
    // The item of a row in display order, or null.
    CheckListItem* ItemAt(int row) const;
    // The display row of an item, or -1.
    int RowOf(const CheckListItem* item) const;

    // 0, or -1 for a row or state out of range. Only the item and its ancestors change.
    int SetCheck(int row, int state);
    // The row's state, or -1 outside 0 to count - 1.
    int GetCheck(int row) const;
    // A click on the check box: 0 becomes 1, 1 and 2 become 0; the descendants follow, the ancestors
    // are brought up to date.
    void Toggle(CheckListItem* item);
    // Selects the item (null: none); returns the item selected before.
    CheckListItem* Select(CheckListItem* item);
    CheckListItem* Selected() const { return selected_; }

    // Every row's state in display order.
    std::vector<int> States() const;

    // Geometry, in client pixels of the list's inner window.
    int RowTop(int visibleRow) const { return itemHeight_ * visibleRow + kTopMargin; }
    int BoxLeft(const CheckListItem& item, int scrollX) const { return (item.level - 1) * indent_ + 5 - scrollX; }

    // Where a click lands: the display row (or -1 above the first row), and whether on the check box.
    struct Hit {
        int row = -1;
        bool onBox = false;
    };
    Hit HitTest(int x, int y, int firstRow, int scrollX) const;

    static constexpr int kTopMargin = 5;

private:
    void UpdateAncestors(CheckListItem* item);
    template <class Visit> bool Walk(Visit visit) const;

    std::vector<std::unique_ptr<CheckListItem>> items_;
    CheckListItem* selected_ = nullptr;
    int count_ = 0;
    int maxWidth_ = 0;
    int indent_ = 19;
    int itemHeight_ = 18;
};

// Scroll bars of the list's inner window.
struct CheckListScroll {
    int rowsFit = 0;         // whole rows in the client height
    bool vertical = false;   // shown when more items than rows fit
    int verticalMax = 0;     // first visible row from 0 to this
    bool horizontal = false; // shown when the widest item is wider than the client
    int horizontalMax = 0;   // pixels
};
CheckListScroll ComputeCheckListScroll(int itemCount, int maxWidth, int itemHeight, int clientWidth, int clientHeight);

// A scroll bar's request, as the window's scroll messages give it.
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Track, First, Last, None };
// The new position: lines and pages move by line and page, clipped to 0..max; Track goes to thumb.
int ScrollPosition(int position, ScrollRequest request, int line, int page, int max, int thumb);
