#pragma once
#include <optional>
#include <stdexcept>
#include <string>

// A picture prepared for the runtime: the file to store and the extension its stored name should carry.
struct PreparedPicture {
    std::string path;
    std::string extension; // ".png" or ".jpg" for a converted picture; "" when the file is stored as it is
};

class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts what the runtime cannot show (TIFF, WebP, HEIF) into workFolder, as PNG for lossless sources and
// pictures with transparency and as JPEG of quality 92 otherwise, and turns a JPEG whose EXIF orientation
// is not upright (a phone photo) upright: losslessly where its size is a whole number of JPEG blocks.
// Any other picture is stored as it is. Throws ConvertError with the reason.
PreparedPicture ConvertPicture(const std::string& path, const std::string& workFolder);
// False in builds without the converters (the Windows scrpack).
bool PictureConversionAvailable();

// A large JPEG (as large as the runtime decodes in two bands) copied into workFolder without a pixel changed:
// sequential and Huffman-coded, with a restart marker after every row of MCUs, where the runtime can start its
// lower band's decoder midway instead of reading all the data above it; every marker (EXIF, colour profile,
// comments) kept and the Huffman codes made for the picture. Nothing when the picture is smaller, has restart
// markers already, or does not read cleanly: it is then stored as it is. The Windows scrpack leaves every
// JPEG as it is.
std::optional<std::string> RestartMarkedCopy(const std::string& path, const std::string& workFolder);
