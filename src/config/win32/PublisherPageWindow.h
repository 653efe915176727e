#pragma once
#include "config/PageTexts.h"
#include "config/win32/ConfigPage.h"
#include "config/win32/LinkLabel.h"

// The "Publisher" page: the author, the home page and e-mail links, and the description.
class PublisherPageWindow final : public ConfigPage {
public:
    PublisherPageWindow();
    LinkLabel& HomePageLink() { return homePage_; }
    LinkLabel& EmailLink() { return email_; }

private:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    LinkLabel homePage_;
    LinkLabel email_;
    PublisherTexts texts_;
};
