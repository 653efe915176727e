#include "media/posix/AvLibrary.h"

#include <gtest/gtest.h>

// The libraries are opened by name when first needed; where they are missing (or are not FFmpeg's), loading
// fails with a reason that names what is missing, and nothing is half loaded.
TEST(AvLibrary, MissingLibrariesOrFunctionsFailWithTheirNames)
{
    struct Case {
        std::vector<std::string> sonames;
        std::string named;
    };
    std::vector<std::string> missingOne = AvSonames();
    missingOne[3] = "libavcodec.so.999";
    const Case cases[] = {
        {missingOne, "libavcodec.so.999"}, {{"libm.so.6"}, "av_channel_layout_copy"}, // a library, but not FFmpeg
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(LoadAvFunctions(c.sonames, error), nullptr) << c.named;
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }

    std::string error;
    const auto loaded = LoadAvFunctions(AvSonames(), error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_NE(loaded->avformat_open_input, nullptr);
    EXPECT_NE(Av(), nullptr);
    EXPECT_TRUE(AvLoadError().empty());
}
