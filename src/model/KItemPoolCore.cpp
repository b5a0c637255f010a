#include "model/KItemPoolCore.h"

#include <algorithm>

const KDefaultItem DefaultItems[11] = {
    {u"自由", u"Free", 0xFFFFFF},      {u"起床", u"Waking Up", 0xFFFFFF}, {u"就寝", u"Sleep", 0xC0C0C0},
    {u"朝食", u"Breakfast", 0x00FF00}, {u"昼食", u"Lunch", 0x00FF00},     {u"夕食", u"Dinner", 0x00FF00},
    {u"休憩", u"Break", 0xFFFF00},     {u"散歩", u"Walking", 0xC0DCC0},   {u"運動", u"Excercise", 0xFF00FF},
    {u"勉強", u"Study", 0x008000},     {u"仕事", u"Work", 0xFF0000},
};

void AddDefaultItems(KItemPoolCore &pool)
{
    for (const KDefaultItem &item : DefaultItems) {
        if (pool.AddItem(item.Name, item.Color) == KItemPoolCore::Full)
            break;
    }
}

namespace {
// Upper-case folding for the letters a user is likely to type: ASCII, Latin-1,
// Greek, Cyrillic and the full-width Latin letters.
char16_t Fold(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return char16_t(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return char16_t(c - 0x20);
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return char16_t(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)
        return char16_t(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return char16_t(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A)
        return char16_t(c - 0x20);
    return c;
}
} // namespace

bool KItemPoolCore::SameName(const std::u16string &a, const std::u16string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

KItemPoolCore::KItemPoolCore(int capacity) : capacity_(std::clamp(capacity, 0, MaxCapacity)) {}

int KItemPoolCore::IndexOf(const std::u16string &name) const
{
    for (size_t i = 0; i < names_.size(); ++i) {
        if (SameName(names_[i], name))
            return int(i);
    }
    return -1;
}

int KItemPoolCore::AddItem(const std::u16string &name, uint32_t color)
{
    if (IsFull())
        return Full;
    if (IndexOf(name) >= 0)
        return NameKnown;
    names_.push_back(name);
    colors_.push_back(color & 0xFFFFFF);
    return Done;
}

int KItemPoolCore::SetItemColor(const std::u16string &name, uint32_t color)
{
    if (IsFull())
        return Full;
    int i = IndexOf(name);
    if (i < 0)
        return NameUnknown;
    colors_[size_t(i)] = color & 0xFFFFFF;
    return Done;
}

uint32_t KItemPoolCore::GetItemColor(const std::u16string &name, uint32_t fallback) const
{
    // A full pool still knows the colours of the names it holds.
    int i = IndexOf(name);
    return i < 0 ? fallback : colors_[size_t(i)];
}

void KItemPoolCore::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return;
    names_.erase(names_.begin() + index);
    colors_.erase(colors_.begin() + index);
}
