#include "db/DiskFile.h"

#include <vector>

std::size_t DiskFile::Read(void* buffer, std::size_t count)
{
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t want = count - done < kFileChunk ? count - done : kFileChunk;
        std::size_t got = ReadOnce(out + done, want);
        done += got;
        if (got < want)
            break;
    }
    return done;
}

bool DiskFile::Write(const void* data, std::size_t count)
{
    const auto* in = static_cast<const unsigned char*>(data);
    for (std::size_t done = 0; done < count;) {
        std::size_t n = count - done < kFileChunk ? count - done : kFileChunk;
        if (!WriteOnce(in + done, n))
            return false;
        done += n;
    }
    return true;
}

std::size_t DiskFile::ReadAt(std::uint64_t position, void* buffer, std::size_t count)
{
    if (!Seek(position))
        return 0;
    return Read(buffer, count);
}

std::uint64_t CopyFileRange(DiskFile& source, std::uint64_t sourcePos, std::uint64_t count, FileBase& destination)
{
    std::vector<unsigned char> chunk(count < kFileChunk ? static_cast<std::size_t>(count) : kFileChunk);
    std::uint64_t done = 0;
    while (done < count) {
        std::size_t want = count - done < kFileChunk ? static_cast<std::size_t>(count - done) : kFileChunk;
        std::size_t got = source.ReadAt(sourcePos + done, chunk.data(), want);
        if (got && !destination.Write(chunk.data(), got))
            break;
        done += got;
        if (got < want)
            break;
    }
    return done;
}
