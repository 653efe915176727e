#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/DecodedImage.h"
#include "gfx/Geometry.h"
#include "gfx/Region.h"

// Raster operations of block transfers, with the Windows ternary raster-operation codes. Operations that
// use a pattern see black, since pictures have no brush selected.
enum class RasterOp : uint32_t {
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    SrcAnd = 0x008800C6,
    SrcInvert = 0x00660046,
    SrcErase = 0x00440328,
    NotSrcCopy = 0x00330008,
    NotSrcErase = 0x001100A6,
    MergePaint = 0x00BB0226,
    DstInvert = 0x00550009,
    Blackness = 0x00000042,
    Whiteness = 0x00FF0062,
};

// Stretch modes with their Windows numbers. HALFTONE averages the covered area (and interpolates when
// enlarging); COLORONCOLOR takes one source pixel per destination pixel, the one GDI takes; BLACKONWHITE
// and WHITEONBLACK keep the darkest or brightest of the source pixels a reduction drops (AND and OR of the
// pixels), like the display driver.
constexpr int kBlackOnWhite = 1;
constexpr int kWhiteOnBlack = 2;
constexpr int kColorOnColor = 3;
constexpr int kHalftone = 4;

struct Pen {
    Colorref color = 0;
    int width = 1; // 1 or more pixels
};

// Platform storage of a picture's pixels (a DIB section on Windows); see win32/PictureDC.h.
struct PictureSurface;

// A picture: a 32-bit top-down pixel buffer (each pixel 0x00RRGGBB, bytes B G R X) and its size, with the
// state a Windows memory device context carries for it: a stretch mode and a selected clip region.
// Every image, background, slide, canvas and effect frame is one. Empty pictures are -1 x -1.
//
// Drawing members draw INTO this picture (the destination, like a device context); Draw, StretchDraw and
// the transparent draws draw this picture into a target. All operations clip to both pictures and to the
// destination's clip region, accept any coordinates (outside, negative or zero sizes draw nothing or the
// visible part) and do nothing on empty pictures.
class Picture {
public:
    Picture();
    virtual ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    // ---- life cycle
    // width or height <= 0: returns 0 and changes nothing. Otherwise frees the picture and makes a
    // width x height picture filled with colour. A size that cannot be allocated (more than
    // kMaxImagePixels, or out of memory) returns 0 and leaves the picture as it was.
    int CreateBlank(int width, int height, Colorref colour = 0);
    void Free();
    // Fills the picture from a decoder's output (copied, or moved where the platform allows). An empty
    // or inconsistent image returns 0 and leaves the picture as it was.
    int AssignDecoded(const DecodedImage& image);
    int AdoptDecoded(DecodedImage&& image);
    // A copy of the pixels, for tests and encoders.
    DecodedImage ToDecoded() const;

    bool IsLoaded() const { return loaded_; }
    // The opacity of each pixel of a decoded picture with transparent parts (width × height bytes, rows
    // top first), whose pixels hold their colour over black; empty for opaque pictures. Drawing into the
    // picture leaves it as it is.
    const std::vector<uint8_t>& Alpha() const { return alpha_; }
    bool HasAlpha() const { return !alpha_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // (0, 0, width, height); (0, 0, -1, -1) while empty.
    Rect GetRect() const { return Rect{0, 0, width_, height_}; }

    // ---- pixel access (valid while loaded; rows are Stride() pixels apart, top row first)
    uint32_t* Pixels() { return bits_; }
    const uint32_t* Pixels() const { return bits_; }
    uint32_t* Row(int y) { return bits_ + static_cast<size_t>(y) * stride_; }
    const uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }
    int Stride() const { return stride_; }
    // COLORREF of a pixel; kInvalidColor outside the picture or while empty.
    Colorref GetPixel(int x, int y) const;
    // Sets one pixel (ignores the clip region); outside the picture it does nothing.
    void SetPixel(int x, int y, Colorref colour);

    // ---- device-context state
    int SetStretchBltMode(int mode); // returns the previous mode; an unknown mode returns 0, changes nothing
    int GetStretchBltMode() const { return stretchMode_; }
    // Selects a copy of the region (picture coordinates) as clip region; null removes it.
    void SelectClipRgn(const Region* region);
    // Takes the region itself as clip region, and gives it back (leaving none): for a large region selected
    // for one drawing only, which a copy would cost as much as the drawing.
    void SelectClipRgn(Region&& region);
    Region ReleaseClipRgn();
    const Region* GetClipRgn() const { return clip_.get(); }

    // ---- drawing into this picture
    // Copies src's (sx, sy, w, h) to (x, y) here. Pixels outside either picture are skipped, so the copied
    // part keeps its position. src may be this picture; overlapping copies behave like memmove.
    // A negative extent covers the pixels from the origin + extent + 1 up to the origin, as in GDI.
    void BitBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, RasterOp rop = RasterOp::SrcCopy);
    // Stretches src's (sx, sy, sw, sh) into (x, y, w, h) with this picture's stretch mode. Extents of
    // opposite signs mirror. Destination pixels whose source lies outside src are left unchanged.
    // Coordinates or extents beyond +-2^28 draw nothing.
    void StretchBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, int sw, int sh,
                    RasterOp rop = RasterOp::SrcCopy);
    // Copies src's pixels inside the region to the same place here (both pictures' coordinates).
    void CopyThrough(const Picture& src, const Region& region);
    // Like BitBlt/StretchBlt with SRCCOPY, except that source pixels of colour key stay transparent.
    void KeyedBlt(int x, int y, int w, int h, const Picture& src, int sx, int sy, Colorref key);
    // Solid fill of the rectangle (right/bottom exclusive).
    void FillRect(const Rect& r, Colorref colour);
    void FillRegion(const Region& region, Colorref colour);
    // A pen line from (x0, y0) up to, but not including, (x1, y1). End points beyond +-2^28 draw nothing.
    void Line(int x0, int y0, int x1, int y1, const Pen& pen);
    // Rectangle and ellipse of the bounding box r (right/bottom exclusive), outlined with the pen and/or
    // filled with the brush colour; either may be absent.
    void Rectangle(const Rect& r, std::optional<Pen> pen, std::optional<Colorref> brush);
    void Ellipse(const Rect& r, std::optional<Pen> pen, std::optional<Colorref> brush);

    // ---- drawing this picture into a target
    // Whole picture at (x, y).
    void Draw(int x, int y, Picture& target, RasterOp rop = RasterOp::SrcCopy) const;
    // Whole picture into (x, y, width, height) in HALFTONE mode; the target's stretch mode is restored.
    void StretchDraw(int x, int y, int width, int height, Picture& target, RasterOp rop = RasterOp::SrcCopy) const;
    // Whole picture at (x, y) with the colour of its pixel (1, 1) transparent. A picture too small to have
    // a pixel (1, 1) is drawn opaque. Returns 1.
    int DrawTransparent(Picture& target, int x, int y) const;
    // Stretches the picture to width x height in HALFTONE mode, then draws that with DrawTransparent
    // (the key is pixel (1, 1) of the stretched copy). Returns 1.
    int StretchDrawTransparent(Picture& target, int x, int y, int width, int height) const;

    // ---- saving (loading lives with the decoders, codecs/PictureLoad.h)
    // Writes the picture as a .bmp file. Returns 1, or 0 when the file could not be opened or could hold
    // only its headers.
    int SaveAsBitmapFile(const std::string& path);

    // Platform storage, for the platform's own files (win32/PictureDC.h).
    PictureSurface* Surface() const { return surface_.get(); }

private:
    // Platform part (posix/ and win32/PictureSurface.cpp).
    static std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> AllocateSurface(int width, int height,
                                                                                      uint32_t** bits, int* stride);
    static std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> AdoptSurface(DecodedImage&& image,
                                                                                   uint32_t** bits, int* stride);
    static void ReleaseSurface(PictureSurface* surface);
    // True where a new surface's pixels are known to start at zero, so a black picture needs no fill.
    static bool NewSurfacesAreBlack();
    void Install(std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface, uint32_t* bits, int stride,
                 int width, int height);

    std::unique_ptr<PictureSurface, void (*)(PictureSurface*)> surface_;
    uint32_t* bits_ = nullptr;
    int stride_ = 0;
    int width_ = -1;
    int height_ = -1;
    bool loaded_ = false;
    int stretchMode_ = kBlackOnWhite;
    std::unique_ptr<Region> clip_;
    std::vector<uint8_t> alpha_;

    void TakeAlpha(bool hasAlpha);
};
