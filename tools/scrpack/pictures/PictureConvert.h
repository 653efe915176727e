#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A picture prepared for the runtime: the file to store and the extension its stored name should carry.
struct PreparedPicture {
    std::string path;
    std::string extension;            // ".png" or ".jpg" for a converted picture; "" when the name stays
    std::vector<std::string> changes; // what was done, in words for the author ("stood upright, ...")
};

class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const std::string& what, std::string unreadableKind = "")
        : std::runtime_error(what), unreadableKind_(std::move(unreadableKind))
    {
    }
    // The kind of picture ("WebP") when nothing on this machine reads that kind at all: said once for all such
    // pictures, with what to do.
    const std::string& UnreadableKind() const { return unreadableKind_; }

private:
    std::string unreadableKind_;
};

// Prepares a picture so that it shows as its author saw it: what the runtime cannot read (TIFF, WebP, HEIF,
// AVIF, SVG) becomes PNG (lossless sources, transparency, drawings) or JPEG of high quality; a photo taken
// turned (its EXIF orientation) is stood upright, without re-encoding where its size allows; and colours
// described by a profile other than sRGB are converted to sRGB. Returns the file itself, with no changes,
// when nothing is needed. Throws ConvertError with the reason.
PreparedPicture ConvertPicture(const std::string& path, const std::string& workFolder);
// Whether this scrpack can read a picture of that kind (as PictureKind names it) to convert it.
bool CanConvertPicture(const std::string& path, const std::string& kind);

// A large JPEG (as large as the runtime decodes in two bands) copied into workFolder without a pixel changed:
// sequential and Huffman-coded, with a restart marker after every row of MCUs, where the runtime can start its
// lower band's decoder midway instead of reading all the data above it; every marker (EXIF, colour profile,
// comments) kept and the Huffman codes made for the picture. Nothing when the picture is smaller, has restart
// markers already, or does not read cleanly: it is then stored as it is. The Windows scrpack leaves every
// JPEG as it is.
std::optional<std::string> RestartMarkedCopy(const std::string& path, const std::string& workFolder);
