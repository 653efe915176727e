#include "codecs/ImageFormat.h"
#include "base/TextCase.h"

namespace {

struct Extension {
    const char* text;
    int code;
};

// Order matters: ".rgb" is found before ".rgba", and a name with several known extensions takes the
// one that comes first here.
constexpr Extension kExtensions[] = {
    {".bmp", kFormatBmp},  {".dib", kFormatBmp},   {".jpg", kFormatJpeg}, {".jpeg", kFormatJpeg}, {".bw", kFormatSgi},
    {".rgb", kFormatSgi},  {".rgba", kFormatSgi},  {".sgi", kFormatSgi},  {".cel", kFormatCel},   {".pic", kFormatCel},
    {".tif", kFormatTiff}, {".tiff", kFormatTiff}, {".tga", kFormatTga},  {".vst", kFormatTga},   {".icb", kFormatTga},
    {".vda", kFormatTga},  {".win", kFormatTga},   {".pcx", kFormatPcx},  {".pcc", kFormatPcx},   {".scr", kFormatPcx},
    {".pcd", kFormatPcd},  {".ppm", kFormatPnm},   {".pgm", kFormatPnm},  {".pbm", kFormatPnm},   {".cut", kFormatCut},
    {".pal", kFormatCut},  {".gif", kFormatGif},   {".rla", kFormatRla},  {".rpf", kFormatRla},   {".psd", kFormatPsd},
    {".pdd", kFormatPsd},  {".psp", kFormatPsp},   {".png", kFormatPng},
};

} // namespace

int ClassifyImageFile(const std::string& name)
{
    const std::string lower = LowerAnsi(name);
    for (const auto& ext : kExtensions) {
        auto pos = lower.find(ext.text);
        if (pos != std::string::npos && pos > 0)
            return ext.code;
    }
    return kFormatUnknown;
}
