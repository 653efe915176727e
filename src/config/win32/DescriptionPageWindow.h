#pragma once
#include "config/win32/ConfigPage.h"

// The "Description" page: the project's description alone.
class DescriptionPageWindow final : public ConfigPage {
public:
    DescriptionPageWindow();

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
