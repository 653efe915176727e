#!/usr/bin/env bash
# Regenerates the sample images from three generated patterns (13 x 7, odd on purpose so that rows need
# padding): "pattern" with 8 colours whose channels are 0 or 255, "grey" with 8 grey levels and "mono"
# in black and white (8 colours make a 4-bit BMP). The tests compute the same patterns. Needs ImageMagick's convert
# and libjpeg-turbo's jpegtran (Debian: libjpeg-turbo-progs).
set -euo pipefail
cd "$(dirname "$0")"
CONVERT=/usr/bin/convert
python3 - <<'PY'
W, H = 13, 7
colours = [(0,0,0),(255,0,0),(0,255,0),(0,0,255),(255,255,0),(0,255,255),(255,0,255),(255,255,255)]
greys = [0, 36, 73, 109, 146, 182, 219, 255]
with open("pattern.ppm", "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (W, H))
    for y in range(H):
        for x in range(W):
            f.write(bytes(colours[(x + 3 * y) % 8]))
with open("grey.pgm", "wb") as f:
    f.write(b"P5\n%d %d\n255\n" % (W, H))
    for y in range(H):
        for x in range(W):
            f.write(bytes([greys[(x + 3 * y) % 8]]))
with open("mono.pbm", "wb") as f:
    f.write(b"P4\n%d %d\n" % (W, H))
    for y in range(H):
        row = 0
        for x in range(16):
            bit = 1 if x < W and (x + y) % 3 == 0 else 0  # 1 is black
            row = (row << 1) | bit
        f.write(bytes([row >> 8, row & 0xFF]))
PY
c() { "$CONVERT" "$@"; }
NODATE=(-define "png:exclude-chunks=date,time")
c pattern.ppm -compress none pattern-plain.ppm
c grey.pgm -compress none grey-plain.pgm
c mono.pbm -compress none mono-plain.pbm
c pattern.ppm -type TrueColor bmp3:pattern-24.bmp
c pattern.ppm -type TrueColorAlpha -define bmp:format=bmp4 pattern-32.bmp
c pattern.ppm -type Palette bmp3:pattern-4.bmp
c pattern.ppm -define bmp:subtype=RGB565 pattern-565.bmp
c pattern.ppm -define bmp:subtype=RGB555 pattern-555.bmp
c pattern.ppm -type Palette -compress RLE bmp3:pattern-rle8.bmp
c mono.pbm -type Bilevel bmp3:mono-1.bmp
c pattern.ppm -quality 95 -sampling-factor 1x1 pattern.jpg
c pattern.ppm -quality 95 -sampling-factor 1x1 -interlace JPEG pattern-progressive.jpg
# A restart marker after every MCU, as cameras and scrpack write them.
jpegtran -copy all -restart 1B pattern.jpg > pattern-restarts.jpg
c grey.pgm -quality 95 grey.jpg
c pattern.ppm pattern.gif
c pattern.ppm -interlace GIF pattern-interlaced.gif
c pattern.ppm "${NODATE[@]}" png24:pattern.png
c pattern.ppm -type Palette "${NODATE[@]}" pattern-palette.png
c pattern.ppm -depth 16 "${NODATE[@]}" png48:pattern-16bit.png
c grey.pgm "${NODATE[@]}" pattern-grey.png
# Top-left origin: this convert writes bottom-left Targa files with their rows top-down.
c pattern.ppm -orient TopLeft -compress None pattern.tga
c pattern.ppm -orient TopLeft -compress RLE pattern-rle.tga
c pattern.ppm pattern.psd
c pattern.ppm -type TrueColor pattern.pcx
c pattern.ppm -type Palette pattern-8.pcx
c pattern.ppm -compress None sgi:pattern.sgi
c pattern.ppm -compress RLE sgi:pattern-rle.sgi
c grey.pgm sgi:grey.bw
# For the Windows scrpack's conversions: a TIFF, and a photo as a phone writes it, 32 x 16 with its top-left
# quarter red and the rest blue, and an EXIF orientation of 6 (to be turned a quarter clockwise for showing).
c pattern.ppm -depth 8 -compress None pattern.tif
c -size 32x16 xc:blue -fill red -draw "rectangle 0,0 15,7" -quality 95 -strip quadrant.jpg
python3 - <<'PY'
jpeg = open("quadrant.jpg", "rb").read()
tiff = b"II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0"
body = b"Exif\0\0" + tiff
app1 = b"\xFF\xE1" + (len(body) + 2).to_bytes(2, "big") + body
open("quadrant-turned.jpg", "wb").write(jpeg[:2] + app1 + jpeg[2:])
PY
rm quadrant.jpg
