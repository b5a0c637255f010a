#pragma once

#include "platform/core/KClipboard.h"

#include <QString>

// The system clipboard through Qt: one QMimeData with the text and, for a colour, the block
// under the program's own MIME type, so other programs still get the text.
class KQtClipboard : public KClipboard {
public:
    static const QString ColorMimeType;

    void SetCell(const std::u16string &text, std::optional<uint32_t> color) override;
    bool GetColor(uint32_t &color) const override;
    bool GetText(std::u16string &text) const override;
};
