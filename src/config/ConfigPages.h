#pragma once
#include <vector>

class ProjectOptions;

// The tab pages of the settings dialog, in the order the project enables them.
enum class PageKind { Setting, Transitions, Publisher, Description };

// Setting always; Transitions with the project's Transitions page; then Publisher or Description.
std::vector<PageKind> ChoosePages(const ProjectOptions& options);

// The tab's text ("Setting", "Transitions", "Publisher", "Description").
const char* PageTabText(PageKind kind);

// What the dialog's menu bar keeps.
struct MenuPlan {
    bool keepHelp = false;         // the third menu, "Help"
    bool keepVisitWebsite = false; // "Visit website" in "Action" (the menu goes when it is left empty)
};
MenuPlan PlanMenu(const ProjectOptions& options);

// Where the dialog puts its children, from the window's size (not the client's) and the buttons' sizes.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};
struct Point2 {
    int x = 0, y = 0;
    bool operator==(const Point2&) const = default;
};
struct DialogLayout {
    bool picture = false;
    Box pictureBox; // the picture control, when the project shows one
    Box tabBox;
    Point2 ok, cancel;
};
DialogLayout LayoutDialog(int windowWidth, int windowHeight, bool picture, int cancelWidth);

// A page inside the tab control, from the tab control's window size.
Box PageBox(int tabWidth, int tabHeight);

// The dialog's size before it is centred.
constexpr int kDialogWidth = 410;
constexpr int kDialogHeight = 380;
// The picture is drawn stretched to this size.
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 255;
