#pragma once

#include <cstdint>
#include <string>

// Reads little-endian integers and UTF-16LE texts from a byte range. Every read checks
// the bytes that remain first; a read that does not fit fails and moves nothing.
class KByteReader {
public:
    KByteReader(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool Seek(size_t pos)
    {
        if (pos > size_)
            return false;
        pos_ = pos;
        return true;
    }
    bool Skip(size_t n)
    {
        if (n > Remaining())
            return false;
        pos_ += n;
        return true;
    }
    bool U8(uint8_t &v)
    {
        if (Remaining() < 1)
            return false;
        v = data_[pos_++];
        return true;
    }
    bool U16(uint16_t &v)
    {
        if (Remaining() < 2)
            return false;
        v = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool U32(uint32_t &v)
    {
        if (Remaining() < 4)
            return false;
        v = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) | (uint32_t(data_[pos_ + 2]) << 16) |
            (uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return true;
    }
    // A text ended by a zero unit; fails (moving nothing) when no zero unit comes before the end.
    bool Text(std::u16string &out);
    const uint8_t *Here() const { return data_ + pos_; }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

// The units of n bytes of UTF-16LE up to the first zero unit (an odd last byte is ignored).
std::u16string DecodeUtf16Le(const uint8_t *data, size_t n);
