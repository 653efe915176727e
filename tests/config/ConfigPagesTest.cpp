#include "config/ConfigPages.h"
#include "model/ProjectOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ProjectOptions Flags(std::initializer_list<size_t> offsets)
{
    ProjectOptions options;
    for (size_t offset : offsets)
        options.SetFlag(offset, true);
    return options;
}

std::string Tabs(const ProjectOptions& options)
{
    std::string tabs;
    for (PageKind kind : ChoosePages(options))
        tabs += std::string(tabs.empty() ? "" : ",") + PageTabText(kind);
    return tabs;
}

} // namespace

TEST(ConfigPages, TabsAndMenuFollowTheProjectFlags)
{
    using P = ProjectOptions;
    struct Case {
        std::initializer_list<size_t> flags;
        const char* tabs;
        bool help, website;
    };
    const Case cases[] = {
        {{P::kTransitionsPage, P::kPublisherPage, P::kVisitWebsite, P::kHelpMenu},
         "Setting,Transitions,Publisher",
         true,
         true},
        {{P::kTransitionsPage}, "Setting,Transitions,Description", false, false},
        {{P::kPublisherPage}, "Setting,Publisher", false, false},
        {{}, "Setting,Description", false, false},
        // The website item needs both flags.
        {{P::kVisitWebsite, P::kHelpMenu}, "Setting,Description", true, false},
    };
    for (const Case& c : cases) {
        const ProjectOptions options = Flags(c.flags);
        EXPECT_EQ(Tabs(options), c.tabs);
        EXPECT_EQ(PlanMenu(options).keepHelp, c.help) << c.tabs;
        EXPECT_EQ(PlanMenu(options).keepVisitWebsite, c.website) << c.tabs;
    }
    // Only a flag's own byte counts.
    ProjectOptions padded;
    padded.SetU8(P::kTransitionsPage + 1, 0xFF);
    EXPECT_EQ(Tabs(padded), "Setting,Description");
}
