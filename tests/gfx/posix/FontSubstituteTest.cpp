// Windows' faces are drawn with faces of their own kind on Linux, whatever family the LOGFONT names.
#include <gtest/gtest.h>

#include "gfx/TextRenderer.h"

namespace {

struct FaceCase {
    const char* face;
    uint8_t pitchAndFamily;
    std::vector<std::string> expected; // any of these families
};

class FontSubstitute : public ::testing::TestWithParam<FaceCase> { };

TEST_P(FontSubstitute, AWindowsFaceGetsAFaceOfItsKind)
{
    FontSpec font;
    font.face = GetParam().face;
    font.height = -16;
    font.pitchAndFamily = GetParam().pitchAndFamily;
    auto text = CreateTextRenderer();
    ASSERT_TRUE(text->SelectFont(font));
    const std::vector<std::string>& expected = GetParam().expected;
    EXPECT_NE(std::find(expected.begin(), expected.end(), text->FaceName()), expected.end())
        << GetParam().face << " is drawn with " << text->FaceName();
}

const std::vector<std::string> kSans{"Liberation Sans", "Arimo", "DejaVu Sans"};
const std::vector<std::string> kSerif{"Liberation Serif", "Tinos", "DejaVu Serif"};
const std::vector<std::string> kMono{"Liberation Mono", "Cousine", "DejaVu Sans Mono"};

// 0x12: FF_ROMAN with VARIABLE_PITCH, as LOGFONTs of these faces often say whatever the face is.
INSTANTIATE_TEST_SUITE_P(Faces, FontSubstitute,
                         ::testing::Values(FaceCase{"MS Sans Serif", 0x12, kSans},
                                           FaceCase{"Microsoft Sans Serif", 0, kSans},
                                           FaceCase{"ms sans serif", 0x32, kSans}, FaceCase{"Tahoma", 0x12, kSans},
                                           FaceCase{"Arial", 0x12, kSans}, FaceCase{"Times New Roman", 0, kSerif},
                                           FaceCase{"Courier New", 0x12, kMono}));

} // namespace
