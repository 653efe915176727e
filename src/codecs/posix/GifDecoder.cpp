#include "codecs/GifDecoder.h"

#include <cstring>
#include <vector>

#include <gif_lib.h>

#include "codecs/DecodeCommon.h"

namespace {

struct MemorySource {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* src = static_cast<MemorySource*>(gif->UserData);
    if (length <= 0)
        return 0;
    size_t n = src->size - src->pos;
    if (n > static_cast<size_t>(length))
        n = static_cast<size_t>(length);
    std::memcpy(buffer, src->data + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

bool SkipExtension(GifFileType* gif, GifByteType* block)
{
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

bool DecodeFirstFrame(GifFileType* gif, DecodedImage& image, uint64_t maxPixels)
{
    int transparent = -1;
    while (true) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        if (type == TERMINATE_RECORD_TYPE)
            return false; // no image at all
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return false;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                transparent = (block[1] & 1) ? block[4] : -1;
            if (!SkipExtension(gif, block))
                return false;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            return false;
        if (DGifGetImageDesc(gif) == GIF_ERROR)
            return false;
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0)
            return false;
        if (!ImageSizeAllowed(desc.Width, desc.Height, maxPixels))
            return false;
        // The logical screen is the picture; a file without one takes the frame's extent.
        int64_t width = gif->SWidth > 0 ? gif->SWidth : int64_t(desc.Left) + desc.Width;
        int64_t height = gif->SHeight > 0 ? gif->SHeight : int64_t(desc.Top) + desc.Height;
        if (!AllocateImage(image, width, height, maxPixels))
            return false;

        std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
        auto storeRow = [&](int row) {
            int64_t y = int64_t(desc.Top) + row;
            if (y >= image.height)
                return;
            uint32_t* dst = image.pixels.data() + size_t(y) * image.width;
            for (int x = 0; x < desc.Width; ++x) {
                int64_t px = int64_t(desc.Left) + x;
                int index = line[x];
                if (px >= image.width || index == transparent || index >= map->ColorCount)
                    continue;
                const GifColorType& c = map->Colors[index];
                dst[px] = PackRgb(c.Red, c.Green, c.Blue);
            }
        };
        if (desc.Interlace) {
            static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass) {
                for (int row = kStart[pass]; row < desc.Height; row += kStep[pass]) {
                    if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
                        return false;
                    storeRow(row);
                }
            }
        } else {
            for (int row = 0; row < desc.Height; ++row) {
                if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
                    return false;
                storeRow(row);
            }
        }
        return true;
    }
}

} // namespace

bool DecodeGif(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    if (!data || size < 6)
        return false;
    MemorySource src{data, size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&src, ReadMemory, &error);
    if (!gif)
        return false;
    bool ok = DecodeFirstFrame(gif, image, maxPixels);
    DGifCloseFile(gif, &error);
    if (!ok)
        image = DecodedImage{};
    return ok;
}
