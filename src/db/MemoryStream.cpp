#include "db/MemoryStream.h"

#include "db/DiskFile.h"

bool MemoryStream::SaveToFile(const std::string& path) const
{
    DiskFile file;
    if (!file.Open(path, DiskFile::kModeWrite | DiskFile::kModeCreate))
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < GetSize(); done += kFileChunk) {
        std::size_t n = GetSize() - done < kFileChunk ? GetSize() - done : kFileChunk;
        ok = file.Write(GetData() + done, n);
    }
    file.Close();
    if (!ok)
        DiskFile::Remove(path);
    return ok;
}
