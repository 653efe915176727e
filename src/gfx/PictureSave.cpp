#include <fstream>

#include "gfx/DeviceBitmap.h"
#include "gfx/Picture.h"

int Picture::SaveAsBitmapFile(const std::string& path)
{
    DeviceBitmap ddb(*this, ScreenDisplayFormat());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return 0;
    bool complete = ddb.WriteBitmapFile(out, 0, 0, width_, height_);
    out.close();
    return complete && out ? 1 : 0;
}
