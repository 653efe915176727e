#pragma once
#include <cstddef>
#include <cstdint>

#include "base/ByteOrder.h"

// Bounds-checked reads from an in-memory image file. A read past the end yields 0 and marks the
// reader failed, so a decoder can read a whole header and check once.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) { }

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
        const uint8_t* p = Take(1);
        return p ? *p : 0;
    }
    uint16_t U16LE() { return Read<2>(ReadLE16); }
    uint32_t U32LE() { return Read<4>(ReadLE32); }
    uint16_t U16BE() { return Read<2>(ReadBE16); }
    uint32_t U32BE() { return Read<4>(ReadBE32); }
    int32_t I32LE() { return static_cast<int32_t>(U32LE()); }
    int16_t I16LE() { return static_cast<int16_t>(U16LE()); }

private:
    // The next n bytes, or null (and the reader failed, at the end) when fewer remain.
    const uint8_t* Take(size_t n)
    {
        if (n > Remaining()) {
            pos_ = size_;
            Fail();
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    template <size_t N, typename T> T Read(T (*decode)(const uint8_t*))
    {
        const uint8_t* p = Take(N);
        return p ? decode(p) : T{0};
    }
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
