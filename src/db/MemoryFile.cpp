#include "db/MemoryFile.h"

#include <cstdlib>
#include <cstring>
#include <limits>

MemoryFile::~MemoryFile()
{
    std::free(data_);
}

MemoryFile::MemoryFile(MemoryFile&& other) noexcept
    : data_(other.data_), capacity_(other.capacity_), length_(other.length_), position_(other.position_)
{
    other.data_ = nullptr;
    other.capacity_ = other.length_ = other.position_ = 0;
}

MemoryFile& MemoryFile::operator=(MemoryFile&& other) noexcept
{
    if (this != &other) {
        std::free(data_);
        data_ = other.data_;
        capacity_ = other.capacity_;
        length_ = other.length_;
        position_ = other.position_;
        other.data_ = nullptr;
        other.capacity_ = other.length_ = other.position_ = 0;
    }
    return *this;
}

void MemoryFile::Clear()
{
    std::free(data_);
    data_ = nullptr;
    capacity_ = length_ = position_ = 0;
}

bool MemoryFile::Reserve(std::uint64_t needed)
{
    if (needed <= capacity_)
        return true;
    constexpr std::uint64_t kLimit = std::numeric_limits<std::size_t>::max() - kGrowBytes;
    if (needed > kLimit)
        return false;
    // Whole steps of 1024 bytes, but at least half as much again as before: appending a large value in
    // 64 KiB pieces must not copy the buffer over and over.
    std::uint64_t wanted = needed;
    if (capacity_ < kLimit / 2 && wanted < capacity_ + capacity_ / 2)
        wanted = capacity_ + capacity_ / 2;
    wanted = (wanted + kGrowBytes - 1) / kGrowBytes * kGrowBytes;
    auto* grown = static_cast<unsigned char*>(std::realloc(data_, static_cast<std::size_t>(wanted)));
    if (!grown)
        return false;
    data_ = grown;
    capacity_ = static_cast<std::size_t>(wanted);
    return true;
}

std::size_t MemoryFile::Read(void* buffer, std::size_t count)
{
    if (position_ >= length_)
        return 0;
    std::size_t n = length_ - position_ < count ? length_ - position_ : count;
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

bool MemoryFile::Write(const void* data, std::size_t count)
{
    if (count == 0)
        return true;
    std::uint64_t end = static_cast<std::uint64_t>(position_) + count;
    if (end < count || !Reserve(end))
        return false;
    if (position_ > length_)
        std::memset(data_ + length_, 0, position_ - length_);
    std::memcpy(data_ + position_, data, count);
    position_ = static_cast<std::size_t>(end);
    if (position_ > length_)
        length_ = position_;
    return true;
}

bool MemoryFile::Seek(std::uint64_t position)
{
    if (position > std::numeric_limits<std::size_t>::max())
        return false;
    position_ = static_cast<std::size_t>(position);
    return true;
}

bool MemoryFile::SetLength(std::uint64_t length)
{
    if (length > length_) {
        if (!Reserve(length))
            return false;
        std::memset(data_ + length_, 0, static_cast<std::size_t>(length - length_));
    }
    length_ = static_cast<std::size_t>(length);
    return true;
}
