#pragma once
#include "db/FileBase.h"

#include <cstdint>
#include <string>
#include <string_view>

// A file in memory. Its buffer is allocated in steps of 1024 bytes.
class MemoryFile : public FileBase {
public:
    static constexpr std::size_t kGrowBytes = 1024;

    MemoryFile() = default;
    ~MemoryFile() override;
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    MemoryFile(MemoryFile&& other) noexcept;
    MemoryFile& operator=(MemoryFile&& other) noexcept;

    std::size_t Read(void* buffer, std::size_t count) override;
    bool Write(const void* data, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t GetPosition() const override { return position_; }
    std::uint64_t GetLength() const override { return length_; }
    // Growing fills the new bytes with zeros; false when the memory cannot be had.
    bool SetLength(std::uint64_t length) override;

    // The whole contents (valid until the next change).
    const unsigned char* GetData() const { return data_; }
    std::size_t GetSize() const { return length_; }
    std::string_view View() const { return {reinterpret_cast<const char*>(data_), length_}; }
    // Empties the file and frees its buffer.
    void Clear();

private:
    bool Reserve(std::uint64_t needed);

    unsigned char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t length_ = 0;
    std::size_t position_ = 0;
};
