#pragma once
#include <functional>
#include <string>

class Picture;
class MediaTable;
class ProjectOptions;

// Loads the image of a media item (its "filename") into picture: from the project database when the
// project stores its media there, otherwise from disk through the stored name (beside the executable when
// the project says so). Returns 1 on success; on failure the picture is left empty.
int LoadSlideImage(Picture& picture, const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                   const std::string& executablePath);

// How many of a picture's pixels (source) end up as how many on the slide (dest), for its full size.
struct SlideImageUse {
    int sourceW = 0;
    int sourceH = 0;
    int destW = 0;
    int destH = 0;
};

// As LoadSlideImage, but a JPEG far larger than it is shown is decoded at a reduced scale where the
// platform's decoder has one, so that the stretch afterwards still only shrinks. fullWidth and fullHeight
// receive the picture's own size, by which every slide rule goes; the picture may be smaller.
int LoadSlideImageFor(Picture& picture, const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                      const std::string& executablePath, const std::function<SlideImageUse(int, int)>& useFor,
                      int& fullWidth, int& fullHeight);
