#pragma once

#include <functional>

// A yes/no mark that tells its owner when it flips. The window keeps its "schedule changed"
// mark in one, so that the window title follows every change of it.
class KChangeMark {
public:
    KChangeMark() = default;
    KChangeMark(const KChangeMark &) = delete;
    KChangeMark &operator=(const KChangeMark &) = delete;

    KChangeMark &operator=(bool value)
    {
        if (value != value_) {
            value_ = value;
            if (OnChange)
                OnChange(value);
        }
        return *this;
    }
    operator bool() const { return value_; }

    std::function<void(bool)> OnChange;

private:
    bool value_ = false;
};
