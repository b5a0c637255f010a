#include "storage/KByteReader.h"

bool KByteReader::Text(std::u16string &out)
{
    size_t p = pos_;
    while (Remaining() - (p - pos_) >= 2) {
        if (data_[p] == 0 && data_[p + 1] == 0) {
            out = DecodeUtf16Le(data_ + pos_, p - pos_);
            pos_ = p + 2;
            return true;
        }
        p += 2;
    }
    return false;
}

std::u16string DecodeUtf16Le(const uint8_t *data, size_t n)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < n; i += 2) {
        char16_t c = char16_t(data[i] | (data[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}
