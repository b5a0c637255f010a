#pragma once

#include "model/KSchTime.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// Raised when a text cannot be allocated.
class KOutOfMemory : public std::runtime_error {
public:
    KOutOfMemory() : std::runtime_error("insufficient memory") {}
};

// One frame of a day schedule. A frame without an item name is an empty slot.
class KScheduleFrame {
public:
    static constexpr size_t ItemNameMax = 72;
    static constexpr size_t MemoMax = 256;
    static constexpr uint32_t DefaultColor = 0xFFFFFF;

    KScheduleFrame() = default;
    KScheduleFrame(KSchTime start, KSchTime duration, const std::u16string &itemName, uint32_t color,
                   const std::u16string &memo);

    void ClearFrame();
    void AssignFrame(const KScheduleFrame &other);
    void SetItemName(const std::u16string &text);
    void SetMemo(const std::u16string &text);
    KSchTime EndTime() const { return AddTimes(StartTime, Duration); }
    bool HasItemName() const { return !ItemName.empty(); }
    bool HasMemo() const { return !Memo.empty(); }

    KSchTime StartTime;
    KSchTime Duration;
    std::u16string ItemName; // empty means none
    uint32_t Color = DefaultColor;
    std::u16string Memo; // empty means none
};

// The first maxUnits UTF-16 units of text, one fewer when the cut would split a surrogate pair.
std::u16string TruncateUtf16(const std::u16string &text, size_t maxUnits);
