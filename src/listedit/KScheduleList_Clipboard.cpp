// Copying, cutting, clearing and pasting single cells through the clipboard.
#include "listedit/KScheduleList.h"

#include "listedit/KTMemoPanel.h"
#include "platform/core/KClipboard.h"

#include <cstdio>

namespace {
// The colour of a colour cell as text for other programs: #RRGGBB.
std::u16string ColorText(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return std::u16string(text, text + 7);
}
} // namespace

bool KScheduleList::CopyCell(int row, int col)
{
    const KScheduleFrame *frame = FrameOfRow(row);
    if (!frame || !clipboard_ || col < 0 || col >= ColumnCount)
        return false;
    if (col == ColColor)
        clipboard_->SetCell(ColorText(frame->Color), frame->Color);
    else
        clipboard_->SetCell(CellText(row, col).toStdU16String(), std::nullopt);
    return true;
}

bool KScheduleList::ClearCell(int row, int col, bool copyFirst)
{
    if (!editMode_ || !edit_ || !FrameOfRow(row) || (col != ColItem && col != ColMemo))
        return false;
    if (copyFirst)
        CopyCell(row, col);
    if (col == ColItem) {
        edit_->CommitItem(row - 1, std::u16string());
    } else {
        HideMemoPanel();
        edit_->CommitMemo(row - 1, std::u16string());
    }
    RefreshRows(true);
    return true;
}

bool KScheduleList::PasteCell(int row, int col)
{
    if (!editMode_ || !edit_ || !clipboard_ || !FrameOfRow(row))
        return false;
    bool pasted = false;
    if (col == ColColor) {
        uint32_t color = 0;
        pasted = clipboard_->GetColor(color) && edit_->PasteColor(row - 1, color);
    } else {
        std::u16string text;
        if (!clipboard_->GetText(text))
            return false;
        if (col == ColItem)
            pasted = edit_->CommitItem(row - 1, TruncateUtf16(text, size_t(std::max(0, ItemTextLimit))));
        else if (col == ColMemo)
            pasted = edit_->CommitMemo(row - 1, TruncateUtf16(text, size_t(std::max(0, MemoTextLimit))));
        else
            pasted = edit_->PasteTime(row - 1, col, text);
    }
    if (pasted)
        RefreshRows(true);
    return pasted;
}
