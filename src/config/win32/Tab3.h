#pragma once
#include "config/PageTexts.h"
#include "config/win32/ConfigPage.h"
#include "config/win32/HotLinkLabel.h"

// The "Publisher" page: the author, the home page and e-mail links, and the description.
class CTab3 final : public ConfigPage {
public:
    CTab3();
    CHotLinkLabel& HomePageLink() { return homePage_; }
    CHotLinkLabel& EmailLink() { return email_; }

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    CHotLinkLabel homePage_;
    CHotLinkLabel email_;
    PublisherTexts texts_;
};
