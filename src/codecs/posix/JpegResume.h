#pragma once
// A second decoder can take up a baseline JPEG's data midway, without reading what comes before, just after
// a restart marker that ends a row of MCUs: there the coder's state starts afresh, so the rest of the data is a
// picture of its own, shorter by the rows above. Cameras write such markers, and so does scrpack for large
// pictures.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// How the one scan of the picture cuts it into MCUs, in pixels of the full picture.
struct JpegScanShape {
    int imageHeight = 0;
    int mcuHeight = 0;
    int mcusPerRow = 0;
    int mcuRows = 0;
    int restartInterval = 0; // MCUs from one marker to the next; 0: no markers
};

struct JpegResumePoint {
    // The file's markers up to and including the scan header, the frame's height lowered to the rows left.
    std::vector<uint8_t> header;
    size_t dataOffset = 0; // where the coded data resumes in the file
    int mcuRow = 0;        // the first row of MCUs the data makes from there
};

// The resume point that best halves the work of decoding (coded bytes and rows together), leaving at least two
// rows of MCUs to each side; none when the file is not a single-scan Huffman-coded sequential JPEG with
// restart markers at the start of some rows, or when its markers are not numbered as they must be.
std::optional<JpegResumePoint> FindJpegResumePoint(const uint8_t* data, size_t size, const JpegScanShape& shape);
