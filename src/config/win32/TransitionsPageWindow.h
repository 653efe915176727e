#pragma once
#include "config/TransitionPage.h"
#include "config/win32/CheckList.h"
#include "config/win32/ConfigPage.h"

// The "Transitions" page: which of the effects the user's own choice allows, at random or in turn.
class TransitionsPageWindow final : public ConfigPage {
public:
    TransitionsPageWindow();
    // Stores the controls and the checked effects into the user settings (the dialog then saves them).
    void Save();
    CheckList& List() { return list_; }

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void CheckAll(int state);
    void PlaceList();

    CheckList list_;
    TransitionPageValues values_;
};
