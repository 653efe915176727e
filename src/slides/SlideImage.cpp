#include "slides/SlideImage.h"
#include "codecs/PictureLoad.h"

#include "gfx/ComPicture.h"
#include "model/MediaFile.h"

int LoadSlideImage(CComPicture& picture, const ProjectOptions& options, CMedia* media, const std::string& fileName,
                   const std::string& executablePath)
{
    picture.Free();
    if (!media)
        return 0;
    MediaFileSource source = FindMediaFile(options, *media, fileName, executablePath, false);
    if (!source.found)
        return 0;
    const int loaded =
        source.inDatabase ? LoadFromStream(picture, source.bytes, fileName) : LoadFromFile(picture, source.path);
    // A decoder that rejects the data may report success with nothing loaded.
    return loaded && picture.IsLoaded() ? 1 : 0;
}
