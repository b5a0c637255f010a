#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Lays out little-endian integers and UTF-16LE texts into a growing byte array.
class KByteWriter {
public:
    void U8(uint8_t v) { Bytes.push_back(v); }
    void U16(uint16_t v)
    {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    void Fill(size_t n, uint8_t value) { Bytes.insert(Bytes.end(), n, value); }
    void Raw(const uint8_t *data, size_t n) { Bytes.insert(Bytes.end(), data, data + n); }
    void Ascii(const char *text)
    {
        while (*text)
            U8(uint8_t(*text++));
    }
    // The text's units followed by one zero unit.
    void Text(const std::u16string &text)
    {
        for (char16_t c : text)
            U16(uint16_t(c));
        U16(0);
    }
    // Byte length of Text(text).
    static uint64_t TextBytes(const std::u16string &text) { return 2 * uint64_t(text.size()) + 2; }

    size_t Size() const { return Bytes.size(); }
    void PutU16At(size_t offset, uint16_t v)
    {
        Bytes[offset] = uint8_t(v);
        Bytes[offset + 1] = uint8_t(v >> 8);
    }

    std::vector<uint8_t> Bytes;
};

// The 16-bit wrapping sum of bytes as unsigned values.
uint16_t ByteSum16(const uint8_t *data, size_t n);
