#pragma once

#include <cstdint>
#include <string>

// Item names with one colour each, as the editing of a schedule sees the item pool.
// Result codes as the pool gives them: 0 done, 1 full, 2 name already known (AddItem)
// or not known (SetItemColor).
class KItemColorStore {
public:
    virtual ~KItemColorStore() = default;
    virtual int AddItem(const std::u16string &name, uint32_t color) = 0;
    virtual int SetItemColor(const std::u16string &name, uint32_t color) = 0;
    virtual uint32_t GetItemColor(const std::u16string &name, uint32_t fallback) const = 0;
    // Whether the name is in the pool.
    virtual bool HasItem(const std::u16string &name) const = 0;
};
