#include "saver/VideoCache.h"

#include "platform/Paths.h"
#include "platform/Process.h"

std::string CachedVideoPath(const std::string& tempDir, const std::string& programPath,
                            const std::string& storedName)
{
    std::string directory = tempDir;
    if (directory.empty() || !IsPathSeparator(directory.back()))
        directory += '\\';
    directory += DigitCode(ChangeExtension(FileNameOf(programPath), "")) + "\\";
    return directory + DigitCode(ChangeExtension(FileNameOf(storedName), "")) + ExtensionOf(storedName);
}

std::string HiddenVideoName(const std::string& path)
{
    return ChangeExtension(path, "");
}
