#pragma once
// The libraries that convert pictures at pack time (libtiff, libwebp, libheif, libturbojpeg), opened when
// the first picture needs them: the runtime that packs a manifest it renders carries this code too, and
// should not load them, and every HEIF and AVIF codec behind libheif, at each start.
#include <cairo.h>
#include <lcms2.h>
#include <libheif/heif.h>
#include <librsvg/rsvg.h>
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
    X(heif_image_handle_get_raw_color_profile)                                                                         \
    X(heif_image_handle_get_raw_color_profile_size)                                                                    \
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
// The name is a declaration's name here, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define QM_CONVERT_MEMBER(name) decltype(&::name) name = nullptr;
    QM_CONVERT_FUNCTIONS(QM_CONVERT_MEMBER)
#undef QM_CONVERT_MEMBER
};

// Colour management (lcms2), for pictures with a colour profile: loaded on its own, since most photos carry
// sRGB or nothing.
#define QM_COLOUR_FUNCTIONS(X)                                                                                         \
    X(cmsCloseProfile)                                                                                                 \
    X(cmsCreateTransform)                                                                                              \
    X(cmsCreate_sRGBProfile)                                                                                           \
    X(cmsDeleteTransform)                                                                                              \
    X(cmsDoTransform)                                                                                                  \
    X(cmsGetColorSpace)                                                                                                \
    X(cmsGetProfileInfoASCII)                                                                                          \
    X(cmsIsMatrixShaper)                                                                                               \
    X(cmsOpenProfileFromMem)                                                                                           \
    X(cmsReadTag)                                                                                                      \
    X(cmsSetLogErrorHandler)

struct ColourFunctions {
// The name is a declaration's name here, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define QM_CONVERT_MEMBER(name) decltype(&::name) name = nullptr;
    QM_COLOUR_FUNCTIONS(QM_CONVERT_MEMBER)
#undef QM_CONVERT_MEMBER
};

// Drawings (librsvg with cairo), loaded on their own: they bring a whole toolkit's libraries.
#define QM_SVG_FUNCTIONS(X)                                                                                            \
    X(cairo_create)                                                                                                    \
    X(cairo_destroy)                                                                                                   \
    X(cairo_image_surface_create)                                                                                      \
    X(cairo_image_surface_get_data)                                                                                    \
    X(cairo_image_surface_get_stride)                                                                                  \
    X(cairo_surface_destroy)                                                                                           \
    X(cairo_surface_flush)                                                                                             \
    X(cairo_surface_status)                                                                                            \
    X(g_error_free)                                                                                                    \
    X(g_object_unref)                                                                                                  \
    X(rsvg_handle_get_intrinsic_dimensions)                                                                            \
    X(rsvg_handle_get_intrinsic_size_in_pixels)                                                                        \
    X(rsvg_handle_new_from_data)                                                                                       \
    X(rsvg_handle_render_document)                                                                                     \
    X(rsvg_handle_set_dpi)

struct SvgFunctions {
// The name is a declaration's name here, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define QM_CONVERT_MEMBER(name) decltype(&::name) name = nullptr;
    QM_SVG_FUNCTIONS(QM_CONVERT_MEMBER)
#undef QM_CONVERT_MEMBER
};

const ColourFunctions& ColourLibrary();
const SvgFunctions& SvgLibrary();

// The converters, loaded once on first use. Throws ConvertError naming the library or function that is
// missing when they cannot be loaded.
const ConvertFunctions& Converters();
