#include "scrpack/pictures/PictureConvert.h"

// The Windows scrpack carries no TIFF, WebP or HEIF decoders: conversion is done by the Linux scrpack.
PreparedPicture ConvertPicture(const std::string&, const std::string&)
{
    throw ConvertError("this scrpack cannot convert pictures; convert them with the Linux scrpack");
}

bool PictureConversionAvailable()
{
    return false;
}

std::optional<std::string> RestartMarkedCopy(const std::string&, const std::string&)
{
    return std::nullopt;
}
