#include "model/KScheduleFrame.h"

#include <new>

std::u16string TruncateUtf16(const std::u16string &text, size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    size_t n = maxUnits;
    if (n > 0) {
        char16_t last = text[n - 1];
        if (last >= 0xD800 && last <= 0xDBFF)
            --n;
    }
    return text.substr(0, n);
}

namespace {
std::u16string CopyText(const std::u16string &text, size_t maxUnits)
{
    try {
        return TruncateUtf16(text, maxUnits);
    } catch (const std::bad_alloc &) {
        throw KOutOfMemory();
    }
}
} // namespace

KScheduleFrame::KScheduleFrame(KSchTime start, KSchTime duration, const std::u16string &itemName,
                               uint32_t color, const std::u16string &memo)
    : StartTime(start), Duration(duration), Color(color)
{
    SetItemName(itemName);
    SetMemo(memo);
}

void KScheduleFrame::ClearFrame()
{
    StartTime = KSchTime();
    Duration = KSchTime();
    ItemName.clear();
    ItemName.shrink_to_fit();
    Color = DefaultColor;
    Memo.clear();
    Memo.shrink_to_fit();
}

void KScheduleFrame::AssignFrame(const KScheduleFrame &other)
{
    if (&other == this)
        return;
    std::u16string item = CopyText(other.ItemName, ItemNameMax);
    std::u16string memo = CopyText(other.Memo, MemoMax);
    StartTime = other.StartTime;
    Duration = other.Duration;
    Color = other.Color;
    ItemName.swap(item);
    Memo.swap(memo);
}

void KScheduleFrame::SetItemName(const std::u16string &text)
{
    ItemName = CopyText(text, ItemNameMax);
}

void KScheduleFrame::SetMemo(const std::u16string &text)
{
    Memo = CopyText(text, MemoMax);
}
