#include "db/Stream.h"

#include "db/MyFile.h"

bool CStream::SaveToFile(const std::string& path) const
{
    CMyFile file;
    if (!file.Open(path, CMyFile::modeWrite | CMyFile::modeCreate))
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < GetSize(); done += kFileChunk) {
        std::size_t n = GetSize() - done < kFileChunk ? GetSize() - done : kFileChunk;
        ok = file.Write(GetData() + done, n);
    }
    file.Close();
    if (!ok)
        CMyFile::Remove(path);
    return ok;
}
