#pragma once
#include <windows.h>

class CheckList;
struct CheckListItem;

// A window of the check list: its messages go to the object made for it.
class CheckWindow {
public:
    virtual ~CheckWindow() = default;
    HWND Handle() const { return hwnd_; }

protected:
    // Makes a child window of the check list's class for this object.
    static HWND MakeWindow(CheckWindow* owner, const char* name, const RECT& rect, HWND parent, int id);
    virtual LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND hwnd_ = nullptr; // from the window's creation to its end

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The check list's inner window: draws the visible items, selects and toggles them with the mouse, and
// scrolls both ways.
class CheckControl final : public CheckWindow {
public:
    explicit CheckControl(CheckList& list) : list_(list) { }

    bool Create(const RECT& rect, HWND parent, int id);

    // After items were added or the window's size changed.
    void UpdateScrollBars();
    // Redraws the row an item is on, when it is visible.
    void RedrawItem(const CheckListItem* item);
    int FirstVisibleRow() const { return firstRow_; }
    int RowsFit() const { return rowsFit_; }

private:
    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    void DrawItem(HDC dc, const CheckListItem& item, int visibleRow, const RECT& client);
    void OnLButtonDown(int x, int y);
    void ScrollRows(int firstRow);
    void ScrollPixels(int scrollX);
    RECT RowRect(int visibleRow) const;

    CheckList& list_;
    int rowsFit_ = 0;
    int firstRow_ = 0;
    int scrollX_ = 0;
    int verticalMax_ = 0;
    int horizontalMax_ = 0;
    bool updatingBars_ = false;
};
