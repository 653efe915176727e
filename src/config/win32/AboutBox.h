#pragma once
#include "config/AboutTexts.h"
#include "config/win32/DialogWindow.h"

class UserSettings;
class ProjectInfo;

// The About box: the project's name, version and copyright, and the machine's memory.
class AboutBox final : public DialogWindow {
public:
    AboutBox();
    void SetSettings(UserSettings* settings, ProjectInfo* project);
    const AboutTexts& Texts() const { return texts_; }

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    AboutTexts texts_;
    UserSettings* settings_ = nullptr;
    ProjectInfo* project_ = nullptr;
    HBRUSH iconBackground_ = nullptr;
};

// The machine's physical memory in bytes, counted in 64 bits.
uint64_t TotalPhysicalMemory();
