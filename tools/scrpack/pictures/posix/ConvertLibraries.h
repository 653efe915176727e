#pragma once
// The libraries that convert pictures at pack time (libtiff, libwebp, libheif, libturbojpeg), opened when
// the first picture needs them: the runtime that packs a manifest it renders carries this code too, and
// should not load them, and every HEIF and AVIF codec behind libheif, at each start.
#include <libheif/heif.h>
#include <tiffio.h>
#include <turbojpeg.h>
#include <webp/decode.h>

#define QM_CONVERT_FUNCTIONS(X)                                                                                        \
    X(TIFFClose)                                                                                                       \
    X(TIFFGetField)                                                                                                    \
    X(TIFFOpen)                                                                                                        \
    X(TIFFReadRGBAImageOriented)                                                                                       \
    X(TIFFSetErrorHandler)                                                                                             \
    X(TIFFSetWarningHandler)                                                                                           \
    X(WebPDecodeRGBAInto)                                                                                              \
    X(WebPGetFeaturesInternal)                                                                                         \
    X(heif_context_alloc)                                                                                              \
    X(heif_context_free)                                                                                               \
    X(heif_context_get_primary_image_handle)                                                                           \
    X(heif_context_read_from_file)                                                                                     \
    X(heif_decode_image)                                                                                               \
    X(heif_image_get_height)                                                                                           \
    X(heif_image_get_plane_readonly)                                                                                   \
    X(heif_image_get_width)                                                                                            \
    X(heif_image_handle_get_height)                                                                                    \
    X(heif_image_handle_get_width)                                                                                     \
    X(heif_image_handle_release)                                                                                       \
    X(heif_image_release)                                                                                              \
    X(tjCompress2)                                                                                                     \
    X(tjDecompress2)                                                                                                   \
    X(tjDecompressHeader3)                                                                                             \
    X(tjDestroy)                                                                                                       \
    X(tjFree)                                                                                                          \
    X(tjInitCompress)                                                                                                  \
    X(tjInitDecompress)                                                                                                \
    X(tjInitTransform)                                                                                                 \
    X(tjTransform)

// Every converter function the packer calls, under its own name.
struct ConvertFunctions {
#define QM_CONVERT_MEMBER(name) decltype(&::name) name = nullptr;
    QM_CONVERT_FUNCTIONS(QM_CONVERT_MEMBER)
#undef QM_CONVERT_MEMBER
};

// The converters, loaded once on first use. Throws ConvertError naming the library or function that is
// missing when they cannot be loaded.
const ConvertFunctions& Converters();
