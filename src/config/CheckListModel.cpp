#include "config/CheckListModel.h"

#include <algorithm>

void CheckListModel::SetMetrics(int indent, int itemHeight)
{
    indent_ = indent;
    itemHeight_ = std::max(1, itemHeight);
}

template <class Visit> bool CheckListModel::Walk(Visit visit) const
{
    // Display order without recursion: an item, then its children.
    std::vector<const std::vector<std::unique_ptr<CheckListItem>>*> lists{&items_};
    std::vector<size_t> next{0};
    while (!lists.empty()) {
        if (next.back() == lists.back()->size()) {
            lists.pop_back();
            next.pop_back();
            continue;
        }
        CheckListItem* item = (*lists.back())[next.back()++].get();
        if (visit(item))
            return true;
        if (!item->children.empty()) {
            lists.push_back(&item->children);
            next.push_back(0);
        }
    }
    return false;
}

CheckListItem* CheckListModel::AddItem(const std::string& text, CheckListItem* parent, int state, int data,
                                       int textWidth, const CheckListColours& colours)
{
    if (state < 0 || state > 2)
        return nullptr;
    auto item = std::make_unique<CheckListItem>();
    item->parent = parent;
    item->state = state;
    item->level = parent ? parent->level + 1 : 1;
    item->textWidth = textWidth;
    item->width = indent_ * item->level + textWidth + 5;
    item->data = data;
    item->text = text;
    item->textColour = colours.text;
    item->selectedTextColour = colours.selectedText;
    item->selectedBackground = colours.selectedBackground;
    CheckListItem* added = item.get();
    (parent ? parent->children : items_).push_back(std::move(item));
    maxWidth_ = std::max(maxWidth_, added->width);
    ++count_;
    return added;
}

CheckListItem* CheckListModel::ItemAt(int row) const
{
    if (row < 0 || row >= count_)
        return nullptr;
    CheckListItem* found = nullptr;
    int at = 0;
    Walk([&](CheckListItem* item) {
        if (at++ != row)
            return false;
        found = item;
        return true;
    });
    return found;
}

int CheckListModel::RowOf(const CheckListItem* wanted) const
{
    int at = 0;
    return Walk([&](CheckListItem* item) { return item == wanted || (++at, false); }) ? at : -1;
}

void CheckListModel::UpdateAncestors(CheckListItem* item)
{
    for (CheckListItem* parent = item->parent; parent; parent = parent->parent) {
        bool anyOn = false, anyOff = false;
        for (const auto& child : parent->children) {
            anyOn = anyOn || child->state != 0;
            anyOff = anyOff || child->state != 1;
        }
        // Fully checked only when every child is: a partly checked child makes its parent partly checked.
        parent->state = !anyOn ? 0 : (anyOff ? 2 : 1);
    }
}

int CheckListModel::SetCheck(int row, int state)
{
    CheckListItem* item = ItemAt(row);
    if (!item || state < 0 || state > 2)
        return -1;
    item->state = state;
    UpdateAncestors(item);
    return 0;
}

int CheckListModel::GetCheck(int row) const
{
    const CheckListItem* item = ItemAt(row);
    return item ? item->state : -1;
}

void CheckListModel::Toggle(CheckListItem* item)
{
    if (!item)
        return;
    item->state = item->state == 0 ? 1 : 0;
    std::vector<CheckListItem*> pending{item};
    while (!pending.empty()) {
        CheckListItem* at = pending.back();
        pending.pop_back();
        for (const auto& child : at->children) {
            child->state = item->state;
            pending.push_back(child.get());
        }
    }
    UpdateAncestors(item);
}

CheckListItem* CheckListModel::Select(CheckListItem* item)
{
    CheckListItem* before = selected_;
    if (before)
        before->selected = false;
    selected_ = item;
    if (item)
        item->selected = true;
    return before;
}

std::vector<int> CheckListModel::States() const
{
    std::vector<int> states;
    states.reserve(static_cast<size_t>(count_));
    Walk([&](CheckListItem* item) {
        states.push_back(item->state);
        return false;
    });
    return states;
}

CheckListModel::Hit CheckListModel::HitTest(int x, int y, int firstRow, int scrollX) const
{
    Hit hit;
    // Rows are hit where they are drawn, below the top margin.
    if (y < kTopMargin)
        return hit;
    hit.row = (y - kTopMargin) / itemHeight_ + firstRow;
    if (const CheckListItem* item = ItemAt(hit.row)) {
        const int box = BoxLeft(*item, scrollX);
        hit.onBox = x >= box && x < box + indent_;
    }
    return hit;
}

CheckListScroll ComputeCheckListScroll(int itemCount, int maxWidth, int itemHeight, int clientWidth, int clientHeight)
{
    CheckListScroll s;
    s.rowsFit = itemHeight > 0 ? std::max(0, clientHeight) / itemHeight : 0;
    s.vertical = itemCount > s.rowsFit;
    s.verticalMax = s.vertical ? itemCount - s.rowsFit : 0;
    s.horizontal = maxWidth > clientWidth;
    s.horizontalMax = s.horizontal ? maxWidth - std::max(0, clientWidth) : 0;
    return s;
}

int ScrollPosition(int position, ScrollRequest request, int line, int page, int max, int thumb)
{
    switch (request) {
    case ScrollRequest::LineBack: position -= line; break;
    case ScrollRequest::LineForward: position += line; break;
    case ScrollRequest::PageBack: position -= std::max(1, page); break;
    case ScrollRequest::PageForward: position += std::max(1, page); break;
    case ScrollRequest::Track: position = thumb; break;
    case ScrollRequest::First: position = 0; break;
    case ScrollRequest::Last: position = max; break;
    case ScrollRequest::None: break;
    }
    return std::clamp(position, 0, std::max(0, max));
}
