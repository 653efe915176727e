#pragma once
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
