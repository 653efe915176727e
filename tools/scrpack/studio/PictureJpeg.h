#pragma once
#include <string>

class Picture;

// A picture as JPEG bytes, for the page (thumbnails, effect previews); empty when it cannot be encoded.
std::string EncodePictureJpeg(const Picture& picture, int quality = 82);
