#pragma once
#include "db/FileBase.h"

#include <cstdint>
#include <string>

// A plain file on disk, named by an ANSI path. Files are opened with reading and writing by others
// allowed, so several tables can read the program's own file while it runs.
class DiskFile : public FileBase {
public:
    enum OpenFlags : unsigned {
        kModeRead = 0x1,  // the file must exist
        kModeWrite = 0x2, // with kModeCreate: created or emptied; without: must exist
        kModeCreate = 0x4,
    };

    DiskFile() = default;
    ~DiskFile() override;
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool Open(const std::string& path, unsigned flags);
    void Close();
    bool IsOpen() const;

    std::size_t Read(void* buffer, std::size_t count) override;
    bool Write(const void* data, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t GetPosition() const override { return position_; }
    std::uint64_t GetLength() const override;
    bool SetLength(std::uint64_t length) override;

    // Reads count bytes at position in chunks of at most 64 KiB, stopping at the first short chunk;
    // returns the bytes read.
    std::size_t ReadAt(std::uint64_t position, void* buffer, std::size_t count);

    // Paths are ANSI, as every name the runtime reads from a project is. A tool whose names come as UTF-8
    // (scrpack) switches the whole process over; on Linux names are bytes either way.
    static void UseUtf8Names(bool utf8);

    static bool Exists(const std::string& path);
    static bool Remove(const std::string& path);
    // Moves from over to, replacing a file that is there.
    static bool Replace(const std::string& from, const std::string& to);
    // Size of the file at path, or -1 when it cannot be opened.
    static std::int64_t SizeOf(const std::string& path);

private:
    std::size_t ReadOnce(void* buffer, std::size_t count);
    bool WriteOnce(const void* data, std::size_t count);

#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::uint64_t position_ = 0;
};

// Largest piece of a file read or written at once.
constexpr std::size_t kFileChunk = 65536;

// Copies count bytes from source at sourcePos to the current position of destination, in chunks of at most
// 64 KiB. Returns the bytes copied (fewer when the source ends early or a write fails).
std::uint64_t CopyFileRange(DiskFile& source, std::uint64_t sourcePos, std::uint64_t count, FileBase& destination);
