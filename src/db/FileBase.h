#pragma once
#include <cstddef>
#include <cstdint>

// What memory files and disk files have in common, so that a stored value can be copied into either.
// Positions are 64-bit: stored positions are 32-bit, but a 4 GiB file plus a base offset goes past 2^32.
class FileBase {
public:
    virtual ~FileBase() = default;

    // Reads up to count bytes at the position; fewer at the end of the file or on an error.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes count bytes at the position, growing the file as needed; false when not all were written.
    virtual bool Write(const void* data, std::size_t count) = 0;
    virtual bool Seek(std::uint64_t position) = 0;
    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetLength() const = 0;
    virtual bool SetLength(std::uint64_t length) = 0;

    bool SeekToEnd() { return Seek(GetLength()); }
};
