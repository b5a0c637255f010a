#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The system clipboard as the list's cell operations use it: plain text, and a frame colour in
// the program's own format (a 6-byte block: the colour as a 32-bit little-endian value, red in
// the low byte, then two bytes that carry nothing).
class KClipboard {
public:
    static constexpr size_t ColorBlockSize = 6;

    virtual ~KClipboard() = default;
    // Replaces the clipboard's contents with the text and, when given, the colour block.
    virtual void SetCell(const std::u16string &text, std::optional<uint32_t> color) = 0;
    // False when the clipboard holds no colour block of at least 4 bytes.
    virtual bool GetColor(uint32_t &color) const = 0;
    // False when the clipboard holds no text.
    virtual bool GetText(std::u16string &text) const = 0;

    // The block for a colour, and the colour of a block (false when it is too short).
    static std::string ColorBlock(uint32_t color)
    {
        std::string block(ColorBlockSize, '\0');
        for (size_t i = 0; i < 4; ++i)
            block[i] = char((color >> (8 * i)) & 0xFF);
        return block;
    }
    static bool ColorOfBlock(const std::string &block, uint32_t &color)
    {
        if (block.size() < 4)
            return false;
        uint32_t c = 0;
        for (size_t i = 0; i < 4; ++i)
            c |= uint32_t(uint8_t(block[i])) << (8 * i);
        color = c;
        return true;
    }
};
