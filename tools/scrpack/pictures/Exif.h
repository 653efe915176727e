#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What a photo's EXIF block says about how to show and sort it. Cameras and phones store the picture as
// the sensor saw it and the way to hold it in a tag.
struct ExifInfo {
    int orientation = 1;          // 1 upright, 2-8 the mirrorings and rotations of the TIFF tag
    size_t orientationOffset = 0; // where the tag's 16-bit value lies in the file (0: no tag)
    bool bigEndian = false;       // the byte order of that value
    std::string dateTime;         // "YYYY:MM:DD HH:MM:SS" when taken (or last changed), "" when absent
};

// Reads the EXIF block of JPEG data (an APP1 "Exif" segment before the picture data). Anything malformed
// leaves the defaults.
ExifInfo ReadJpegExif(const uint8_t* data, size_t size);
