#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The recent-files block of the settings file: the names in menu order, padded with 0xA5.
class KSchFileLogBlock {
public:
    static constexpr uint8_t Filler = 0xA5;
    static constexpr size_t MaxNames = 255;

    static uint64_t BlockLength(const std::vector<std::u16string> &names);
    // The laid-out block of the first 255 names.
    static std::vector<uint8_t> BuildBlock(const std::vector<std::u16string> &names);
    // Reads a block of exactly size bytes into names. Returns true on an error; names then
    // keeps what it had.
    static bool ParseBlock(const uint8_t *data, size_t size, std::vector<std::u16string> &names);
};
