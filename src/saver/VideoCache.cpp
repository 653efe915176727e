#include "saver/VideoCache.h"

#include "platform/Paths.h"
#include "platform/Process.h"

std::string CachedVideoPath(const std::string& tempDir, const std::string& programPath, const std::string& storedName)
{
    std::string directory = tempDir;
    if (directory.empty() || !IsPathSeparator(directory.back()))
        directory += '\\';
    directory += DigitCode(ChangeExtension(FileNameOf(programPath), "")) + "\\";
    // The extension is the file name's own: a dot in a folder of the stored path must not put a folder
    // into the cached name.
    const std::string fileName = FileNameOf(storedName);
    return directory + DigitCode(ChangeExtension(fileName, "")) + ExtensionOf(fileName);
}

std::string HiddenVideoName(const std::string& path)
{
    // Only the file name loses its extension: a dot in the temporary folder's path (as in a user name
    // like john.doe) must not send the copy out of its folder.
    return DirectoryOf(path) + ChangeExtension(FileNameOf(path), "");
}
