#pragma once
#include <cstddef>
#include <cstdint>

// Bounds-checked reads from an in-memory image file. A read past the end yields 0 and marks the
// reader failed, so a decoder can read a whole header and check once.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Size() const { return size_; }
    size_t Pos() const { return pos_; }
    size_t Remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
    bool Failed() const { return failed_; }
    const uint8_t* Data() const { return data_; }

    bool Seek(size_t pos)
    {
        if (pos > size_) {
            failed_ = true;
            return false;
        }
        pos_ = pos;
        return true;
    }
    bool Skip(size_t n) { return n <= Remaining() ? Seek(pos_ + n) : Fail(); }

    uint8_t U8()
    {
        if (pos_ >= size_) {
            Fail();
            return 0;
        }
        return data_[pos_++];
    }
    uint16_t U16LE() { return static_cast<uint16_t>(U8() | (U8() << 8)); }
    uint32_t U32LE()
    {
        uint32_t lo = U16LE();
        return lo | (static_cast<uint32_t>(U16LE()) << 16);
    }
    uint16_t U16BE()
    {
        uint16_t hi = U8();
        return static_cast<uint16_t>((hi << 8) | U8());
    }
    uint32_t U32BE()
    {
        uint32_t hi = U16BE();
        return (hi << 16) | U16BE();
    }
    int32_t I32LE() { return static_cast<int32_t>(U32LE()); }
    int16_t I16LE() { return static_cast<int16_t>(U16LE()); }

private:
    bool Fail()
    {
        failed_ = true;
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};
