#pragma once
#include "config/CheckListModel.h"
#include "config/win32/CheckControl.h"

#include <windows.h>

#include <string>

// An owner-drawn list of items with three-state check boxes, in two windows: this framed outer window
// and the inner CheckControl that draws the items and takes the mouse and the scroll bars.
class CheckList final : public CheckWindow {
public:
    CheckList() : control_(*this) { }
    ~CheckList() override;

    // Loads the three check bitmaps (which must be the same size) and makes both windows; with no font
    // the list makes its own. Shows a message box and fails when a bitmap is missing or the sizes differ.
    bool Create(const RECT& rect, HWND parent, int id, int checkedBitmap, int uncheckedBitmap, int partlyBitmap,
                COLORREF background, HFONT font);
    void Destroy();

    // Null for a state outside 0 to 2.
    CheckListItem* AddItem(const std::string& text, CheckListItem* parent, int state, int data, COLORREF textColour,
                           COLORREF selectedTextColour, COLORREF selectedBackground);
    // 0, or -1 for an index (in display order) or state out of range.
    int SetCheck(int index, int state);
    int GetCheck(int index) const { return model_.GetCheck(index); }
    int GetCount() const { return model_.GetCount(); }

    CheckControl& Control() { return control_; }
    CheckListModel& Model() { return model_; }
    HBITMAP Bitmap(int state) const { return state == 1 ? checked_ : state == 2 ? partly_ : unchecked_; }
    SIZE BitmapSize() const { return bitmapSize_; }
    HFONT Font() const { return font_; }
    HPEN BackgroundPen() const { return pen_; }
    HBRUSH BackgroundBrush() const { return brush_; }
    COLORREF Background() const { return background_; }

private:
    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Release();

    CheckListModel model_;
    CheckControl control_;
    HBITMAP checked_ = nullptr, unchecked_ = nullptr, partly_ = nullptr;
    SIZE bitmapSize_{0, 0};
    HFONT font_ = nullptr;
    bool ownsFont_ = false;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    COLORREF background_ = 0;
};
