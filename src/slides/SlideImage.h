#pragma once
#include <functional>
#include <string>

#include "gfx/Geometry.h"
#include "model/MediaFile.h"

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

// The two halves of LoadSlideImageFor. The file of the item's picture, found on the window's thread (a
// stored one read from the project database, which belongs to that thread): decoding it needs nothing more,
// so that may happen on another thread.
MediaFileSource FindSlideImage(const ProjectOptions& options, MediaTable* media, const std::string& fileName,
                               const std::string& executablePath);
// Decodes the file found for fileName.
int DecodeSlideImage(Picture& picture, MediaFileSource& source, const std::string& fileName,
                     const std::function<SlideImageUse(int, int)>& useFor, int& fullWidth, int& fullHeight);

// How the picture of a slide (scale mode, frame) is used when its pan and zoom ends at zoomPercent: its
// decode keeps the detail of the end zoom.
SlideImageUse ZoomedSlideUse(int scaleMode, int w, int h, Size frame, int zoomPercent);

// The size of the source rectangle (srcW x srcH of the picture's full size) in the picture as loaded, which is
// smaller when a large JPEG was decoded at a reduced scale.
void LoadedSource(const Picture& image, int fullW, int fullH, int& srcW, int& srcH);
