#include "codecs/posix/JpegResume.h"

#include <gtest/gtest.h>

#include "base/ByteOrder.h"
#include "support/TestJpeg.h"

namespace {

// 4:2:0, so 16 x 16 MCUs: 40 x 25 of them.
constexpr int kWidth = 640, kHeight = 400;

std::vector<uint8_t> Jpeg(int restartRows, int restartMcus = 0)
{
    return testjpeg::Encode(kWidth, kHeight, {.restartRows = restartRows, .restartMcus = restartMcus},
                            [noise = uint32_t(7)](int y, JSAMPLE* row) mutable {
                                for (int i = 0; i < kWidth * 3; ++i) {
                                    noise = noise * 1103515245 + 12345;
                                    row[i] = static_cast<JSAMPLE>((i + y + ((noise >> 16) & 63)) & 0xFF);
                                }
                            });
}

JpegScanShape Shape(int restartInterval)
{
    return {
        .imageHeight = kHeight, .mcuHeight = 16, .mcusPerRow = 40, .mcuRows = 25, .restartInterval = restartInterval};
}

} // namespace

// The data resumes just after marker 7 (the eighth) of some row, the one nearest the middle of the work, and the
// header describes the rows left; files whose markers cannot be followed from midway give no point.
TEST(JpegResume, ResumesAfterAnEighthMarkerThatEndsARow)
{
    const std::vector<uint8_t> jpeg = Jpeg(1);
    const std::optional<JpegResumePoint> point = FindJpegResumePoint(jpeg.data(), jpeg.size(), Shape(40));
    ASSERT_TRUE(point);
    EXPECT_EQ(point->mcuRow, 16); // rows 8 and 16 can be resumed; the data is even, so 16 is nearer the middle
    ASSERT_GE(point->dataOffset, 2u);
    EXPECT_EQ(jpeg[point->dataOffset - 2], 0xFF);
    EXPECT_EQ(jpeg[point->dataOffset - 1], 0xD7);
    ASSERT_LT(point->header.size(), point->dataOffset);
    EXPECT_EQ(point->header.back(), jpeg[point->header.size() - 1]);
    size_t frame = 2;
    while (point->header[frame + 1] != 0xC0)
        frame += 2 + ReadBE16(&point->header[frame + 2]);
    EXPECT_EQ(ReadBE16(&point->header[frame + 5]), kHeight - 16 * 16);

    // A marker every 10 MCUs, four to a row: every eighth ends an even row.
    const std::vector<uint8_t> quarters = Jpeg(0, 10);
    const auto quarterPoint = FindJpegResumePoint(quarters.data(), quarters.size(), Shape(10));
    ASSERT_TRUE(quarterPoint);
    EXPECT_EQ(quarterPoint->mcuRow, 12);

    EXPECT_FALSE(FindJpegResumePoint(jpeg.data(), jpeg.size(), Shape(0))) << "no markers said";
    const std::vector<uint8_t> plain = Jpeg(0);
    EXPECT_FALSE(FindJpegResumePoint(plain.data(), plain.size(), Shape(40))) << "no markers in the data";
    JpegScanShape wrongHeight = Shape(40);
    wrongHeight.imageHeight = kHeight + 1;
    EXPECT_FALSE(FindJpegResumePoint(jpeg.data(), jpeg.size(), wrongHeight));

    // A marker numbered out of turn: the data cannot be trusted to follow from midway.
    std::vector<uint8_t> misnumbered = jpeg;
    size_t pos = point->header.size();
    while (!(misnumbered[pos] == 0xFF && misnumbered[pos + 1] == 0xD2))
        ++pos;
    misnumbered[pos + 1] = 0xD5;
    EXPECT_FALSE(FindJpegResumePoint(misnumbered.data(), misnumbered.size(), Shape(40)));

    // Headers cut short or broken, and a progressive frame.
    for (size_t cut : {size_t(0), size_t(3), size_t(20), point->header.size() - 1})
        EXPECT_FALSE(FindJpegResumePoint(jpeg.data(), cut, Shape(40))) << cut;
    std::vector<uint8_t> progressive = jpeg;
    progressive[frame + 1] = 0xC2;
    EXPECT_FALSE(FindJpegResumePoint(progressive.data(), progressive.size(), Shape(40)));
    std::vector<uint8_t> badLength = jpeg;
    badLength[frame + 2] = 0xFF;
    EXPECT_FALSE(FindJpegResumePoint(badLength.data(), badLength.size(), Shape(40)));
}
