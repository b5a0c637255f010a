#include "model/KCheckTexts.h"

namespace KCheckTexts {

namespace {
// The leading blanks belong to the texts.
const std::u16string Texts[8][2] = {
    {u"スケジュール エラー", u"Schedule Error"},
    {u" スケジュール時間が不連続になっています。", u" This is not chronologically scheduled."},
    {u" スケジュールが重なっています。", u" Schedules are conflicted."},
    {u" スケジュールされていない時間があります。", u" There is not-scheduled time."},
    {u" 合計スケジュール時間が２４時間を超えています。", u" Total schedule time is over 24 hours."},
    {u"  スケジュールを修正する", u"  Adjust  the schedule"},
    {u"  変更をキャンセルして編集モードを終える", u"  Cancel  the changes and Quit"},
    {u"  スケジュールを始からやり直す", u"  Discard the changes and Re-schedule"},
};
} // namespace

const std::u16string &Get(Text text, int language)
{
    return Texts[int(text)][language == 1 ? 1 : 0];
}

std::vector<Text> LinesFor(int code)
{
    if (code >= 1 && code <= 3)
        return {Conflicted};
    if (code >= 4 && code <= 6)
        return {NotScheduled};
    if (code == 7 || code == 8)
        return {Conflicted, NotScheduled};
    if (code == 9)
        return {OverFullDay};
    return {};
}

std::u16string Message(int code, int language)
{
    const std::vector<Text> lines = LinesFor(code);
    if (lines.empty())
        return std::u16string();
    std::u16string text = Get(FirstLine, language);
    int number = 1;
    for (Text line : lines) {
        text += u"\n   ";
        text += char16_t(u'0' + number++);
        text += u". ";
        text += Get(line, language);
    }
    return text;
}

} // namespace KCheckTexts
