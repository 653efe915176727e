#include "config/ConfigPages.h"

#include "model/ProjectOptions.h"

std::vector<PageKind> ChoosePages(const ProjectOptions& options)
{
    std::vector<PageKind> pages{PageKind::Setting};
    if (options.TransitionsPage())
        pages.push_back(PageKind::Transitions);
    pages.push_back(options.PublisherPage() ? PageKind::Publisher : PageKind::Description);
    return pages;
}

const char* PageTabText(PageKind kind)
{
    switch (kind) {
    case PageKind::Setting: return "Setting";
    case PageKind::Transitions: return "Transitions";
    case PageKind::Publisher: return "Publisher";
    case PageKind::Description: return "Description";
    }
    return "";
}

MenuPlan PlanMenu(const ProjectOptions& options)
{
    return MenuPlan{options.HelpMenu(), options.VisitWebsite()};
}

DialogLayout LayoutDialog(int windowWidth, int windowHeight, bool picture, int cancelWidth)
{
    DialogLayout layout;
    layout.picture = picture;
    // With the picture the tabs move right of it and the buttons closer together.
    const int tabLeft = picture ? 115 : 0;
    const int buttonInset = picture ? 130 : 100;
    if (picture)
        layout.pictureBox = Box{7, 0, 107, 255};
    layout.tabBox = Box{tabLeft, 0, windowWidth - 5, windowHeight - 90};
    layout.ok = Point2{buttonInset, windowHeight - 80};
    layout.cancel = Point2{windowWidth - cancelWidth - buttonInset, windowHeight - 80};
    return layout;
}

Box PageBox(int tabWidth, int tabHeight)
{
    return Box{2, 21, 2 + tabWidth - 5, 21 + tabHeight - 24};
}
