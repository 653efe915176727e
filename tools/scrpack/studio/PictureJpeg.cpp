#include "scrpack/studio/PictureJpeg.h"

#include "gfx/Picture.h"
#include "scrpack/pictures/PictureConvert.h"
#include "scrpack/pictures/posix/ConvertLibraries.h"

#include <memory>

std::string EncodePictureJpeg(const Picture& picture, int quality)
{
    if (!picture.IsLoaded())
        return "";
    try {
        const ConvertFunctions& lib = Converters();
        std::unique_ptr<void, int (*)(tjhandle)> tj(lib.tjInitCompress(), lib.tjDestroy);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        // The pixels are B G R X in memory, as turbojpeg's BGRX.
        const auto* pixels = reinterpret_cast<const unsigned char*>(picture.Pixels());
        if (!tj ||
            lib.tjCompress2(tj.get(), pixels, picture.Width(), picture.Stride() * 4, picture.Height(), TJPF_BGRX,
                            &buffer, &size, TJSAMP_420, quality, TJFLAG_FASTDCT) != 0) {
            lib.tjFree(buffer);
            return "";
        }
        std::string out(reinterpret_cast<const char*>(buffer), size);
        lib.tjFree(buffer);
        return out;
    } catch (const ConvertError&) {
        return "";
    }
}
