#pragma once

#include "platform/core/KClipboard.h"

// A clipboard in memory: what was set is read back.
class KFakeClipboard : public KClipboard {
public:
    void SetCell(const std::u16string &text, std::optional<uint32_t> color) override
    {
        Text = text;
        HasText = true;
        Block = color ? ColorBlock(*color) : std::string();
    }
    bool GetColor(uint32_t &color) const override { return ColorOfBlock(Block, color); }
    bool GetText(std::u16string &text) const override
    {
        if (!HasText)
            return false;
        text = Text;
        return true;
    }

    std::u16string Text;
    bool HasText = false;
    std::string Block;
};
