#include "saver/SaverFiles.h"

#include "db/DiskFile.h"
#include "platform/Paths.h"

#include <cstdio>

std::string SaverFiles::NativePath(const std::string& path)
{
    return ::NativePath(path);
}

bool SaverFiles::FileExists(const std::string& path)
{
    return ::FileExists(NativePath(path));
}

bool SaverFiles::IsDirectory(const std::string& path)
{
    return ::IsDirectory(NativePath(path));
}

bool SaverFiles::CreateDirectories(const std::string& path)
{
    return ::CreateDirectories(NativePath(path));
}

bool SaverFiles::Rename(const std::string& from, const std::string& to)
{
    return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool SaverFiles::Delete(const std::string& path)
{
    return std::remove(NativePath(path).c_str()) == 0;
}

bool SaverFiles::WriteFile(const std::string& path, const std::function<bool(FileBase&)>& fill)
{
    // Written beside the target and moved under its name only when whole: a full disk or an interrupted run
    // must not leave a short copy there, which later runs would take as it is.
    const std::string target = NativePath(path);
    const std::string staging = target + ".part";
    DiskFile file;
    if (!file.Open(staging, DiskFile::kModeWrite | DiskFile::kModeCreate))
        return false;
    const bool written = fill(file);
    file.Close();
    if (written && DiskFile::Replace(staging, target))
        return true;
    std::remove(staging.c_str());
    return false;
}

std::string SaverFiles::TempDirectory()
{
    return ::TempDirectory();
}
