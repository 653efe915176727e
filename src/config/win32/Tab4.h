#pragma once
#include "config/win32/ConfigPage.h"

// The "Description" page: the project's description alone.
class CTab4 final : public ConfigPage {
public:
    CTab4();

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
