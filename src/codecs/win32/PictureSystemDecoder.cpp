// The system picture decoder: OleLoadPicture over a COM stream on a global memory block.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "codecs/DecodeCommon.h"
#include "codecs/PictureLoad.h"
#include "gfx/Picture.h"
#include "gfx/win32/GdiPixels.h"
#include "gfx/win32/PictureDC.h"

namespace {

// OLE decodes JPEG and GIF through COM objects, so COM must be up on this thread for the call.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) { }
    ~ComScope()
    {
        if (initialised_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

IStream* StreamOnCopy(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, data, size);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    return stream; // releasing it frees the block
}

} // namespace

int LoadFromIStream(Picture& target, const uint8_t* data, size_t size)
{
    if (!data || size == 0 || size > 0x7FFFFFFF)
        return 0;
    ComScope com;
    IStream* stream = StreamOnCopy(data, size);
    if (!stream)
        return 0;
    IPicture* picture = nullptr;
    HRESULT hr =
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture)
        return 0;

    // The picture's size is kept in 0.01 mm; the screen's logical DPI turns it into pixels.
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    int width = MulDiv(himetricWidth, dpiX, 2540);
    int height = MulDiv(himetricHeight, dpiY, 2540);

    int result = 0;
    if (ImageSizeAllowed(width, height, kMaxImagePixels) && target.CreateBlank(width, height, 0)) {
        // HIMETRIC runs bottom-up: start at the top edge and go down by the height.
        picture->Render(PictureDC(target), 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight,
                        nullptr);
        GdiFlush();
        ClearUnusedByte(target);
        result = 1;
    }
    picture->Release();
    return result;
}
