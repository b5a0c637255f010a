#pragma once

#include <string>
#include <vector>

// The texts of the schedule check, Japanese (language 0) and English (language 1).
namespace KCheckTexts {

enum Text {
    Caption,
    FirstLine,
    Conflicted,
    NotScheduled,
    OverFullDay,
    ChoiceAdjust,
    ChoiceCancel,
    ChoiceRetrieve,
};

const std::u16string &Get(Text text, int language);

// The problem lines a check code stands for, in the order they are listed:
// codes 1-3 conflicted, 4-6 not scheduled, 7 and 8 both, 9 over 24 hours, others none.
std::vector<Text> LinesFor(int code);

// The message of the check dialog: the first line, then each problem line numbered from 1
// ("   1. " and the line's own text); empty for a code without problem lines.
std::u16string Message(int code, int language);

} // namespace KCheckTexts
