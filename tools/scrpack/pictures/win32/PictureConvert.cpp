#include "scrpack/pictures/PictureConvert.h"

#include "scrpack/files/SourceFiles.h"
#include "scrpack/pictures/PictureCheck.h"

// Until the system's imaging component is used, this scrpack stores what the runtime reads as it is.
PreparedPicture ConvertPicture(const std::string& path, const std::string&)
{
    std::vector<uint8_t> head;
    ReadSourceFile(path, 64, head);
    const std::string kind = PictureKind(head.data(), head.size());
    if (NeedsConversion(kind))
        throw ConvertError("this machine cannot read " + kind + " pictures", kind);
    return {path, "", {}};
}

bool CanConvertPicture(const std::string&, const std::string& kind)
{
    return !NeedsConversion(kind);
}

std::optional<std::string> RestartMarkedCopy(const std::string&, const std::string&)
{
    return std::nullopt;
}
