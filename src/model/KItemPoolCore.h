#pragma once

#include "model/KItemColorStore.h"

#include <cstdint>
#include <string>
#include <vector>

// The names and colours of the item pool, without any user interface.
// Names keep their order of arrival and are compared without regard to letter case.
class KItemPoolCore : public KItemColorStore {
public:
    static constexpr int MaxCapacity = 80;

    // Result codes of AddItem and SetItemColor.
    static constexpr int Done = 0;
    static constexpr int Full = 1;
    static constexpr int NameKnown = 2;   // AddItem
    static constexpr int NameUnknown = 2; // SetItemColor

    explicit KItemPoolCore(int capacity);

    int Capacity() const { return capacity_; }
    int Count() const { return int(names_.size()); }
    bool IsFull() const { return Count() >= capacity_; }

    int AddItem(const std::u16string &name, uint32_t color) override;
    int SetItemColor(const std::u16string &name, uint32_t color) override;
    uint32_t GetItemColor(const std::u16string &name, uint32_t fallback) const override;
    bool HasItem(const std::u16string &name) const override { return IndexOf(name) >= 0; }

    // Index of the name, -1 when it is not in the pool.
    int IndexOf(const std::u16string &name) const;
    const std::u16string &NameAt(int index) const { return names_[size_t(index)]; }
    uint32_t ColorAt(int index) const { return colors_[size_t(index)]; }
    // Removes the name and its colour; the following entries move up by one.
    void RemoveAt(int index);

    // True when the two names are equal apart from letter case.
    static bool SameName(const std::u16string &a, const std::u16string &b);

private:
    int capacity_;
    std::vector<std::u16string> names_;
    std::vector<uint32_t> colors_;
};

// The eleven items the pool is filled with at start.
struct KDefaultItem {
    const char16_t *Name;
    const char16_t *EnglishName;
    uint32_t Color;
};
extern const KDefaultItem DefaultItems[11];

// Adds the default items in order, stopping at the first full answer.
void AddDefaultItems(KItemPoolCore &pool);
