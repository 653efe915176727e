#pragma once
#include "base/ByteOrder.h"
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// A fixed-size record kept as the exact bytes it was stored with, so it is written back unchanged.
// Integers are little-endian whatever the host; a flag is one byte, and only that byte counts.
template <size_t N> class StoredRecord {
public:
    static constexpr size_t kSize = N;

    StoredRecord() { bytes_.fill(0); }

    // Copies stored bytes over the record from its first byte: a shorter value leaves the rest as it
    // was, a longer one is cut.
    void Assign(const void* data, size_t length)
    {
        std::copy_n(static_cast<const uint8_t*>(data), std::min(length, N), bytes_.begin());
    }
    void Assign(const std::string& data) { Assign(data.data(), data.size()); }

    const std::array<uint8_t, N>& Bytes() const { return bytes_; }
    std::string ToString() const { return std::string(reinterpret_cast<const char*>(bytes_.data()), N); }

    uint8_t U8(size_t offset) const { return bytes_.at(offset); }
    bool Flag(size_t offset) const { return bytes_.at(offset) != 0; }
    uint32_t U32(size_t offset) const
    {
        Check(offset, 4);
        return ReadLE32(bytes_.data() + offset);
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

    void SetU8(size_t offset, uint8_t value) { bytes_.at(offset) = value; }
    // Writes only the flag's own byte; the padding behind it keeps whatever it held.
    void SetFlag(size_t offset, bool value) { bytes_.at(offset) = value ? 1 : 0; }
    void SetU32(size_t offset, uint32_t value)
    {
        Check(offset, 4);
        WriteLE32(bytes_.data() + offset, value);
    }
    void SetI32(size_t offset, int32_t value) { SetU32(offset, static_cast<uint32_t>(value)); }

    bool operator==(const StoredRecord& other) const { return bytes_ == other.bytes_; }

private:
    static void Check(size_t offset, size_t width)
    {
        if (offset > N || width > N - offset)
            throw std::out_of_range("record offset");
    }
    std::array<uint8_t, N> bytes_;
};
