#include "model/MediaFile.h"

#include "model/MediaTable.h"
#include "model/ProjectOptions.h"
#include "platform/Paths.h"

std::string DiskPathFor(const std::string& storedName, bool besideExecutable, const std::string& executablePath)
{
    if (!besideExecutable)
        return storedName;
    return DirectoryOf(executablePath) + FileNameOf(storedName);
}

MediaFileSource FindMediaFile(const ProjectOptions& options, MediaTable& media, const std::string& fileName,
                              const std::string& executablePath, bool video)
{
    MediaFileSource source;
    if (options.MediaInDatabase()) {
        source.inDatabase = true;
        source.found =
            video ? media.ReadMediaContaining(fileName, source.bytes) : media.ReadMedia(fileName, source.bytes);
        return source;
    }
    const std::string stored = media.FindStoredName(fileName);
    if (stored.empty())
        return source;
    source.path = DiskPathFor(stored, options.BesideExecutable(), executablePath);
    source.found = true;
    return source;
}
