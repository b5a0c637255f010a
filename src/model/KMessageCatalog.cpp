#include "model/KMessageCatalog.h"

#include <array>

namespace KMessageCatalog {
namespace {
// Entry 2 * code + language index.
const std::array<std::u16string, 2 * MessageCount> &Table()
{
    static const std::array<std::u16string, 2 *MessageCount> table = {
        u"エラーはありません。",
        u"No Error.",
        u"エラー",
        u"Error",
        u"システム・エラー",
        u"System Error",
        u"警告",
        u"Warning",
        u"新規作成",
        u"New",
        u"開く",
        u"Open",
        u"上書き保存",
        u"Overwrite",
        u"名前を付けて保存",
        u"Save As",
        u"キャンセルされました。",
        u"Canceled.",
        u"ファイル処理エラー。",
        u"Can't handle the file.",
        u"ファイルは開けません。",
        u"Can't open the file.",
        u"ファイル作成出来ません。",
        u"Can't create the file.",
        u"",
        u"",
        u"コピー出来ません。",
        u"Can't copy the file.",
        u"コピー元ファイルが見つかりません。",
        u"Can't find the file to be copied.",
        u" は既に存在します。既存のファイルを置換えますか？",
        u"Already exists. Replace the file?",
        u"ファイルが見つかりません。",
        u"The file doesn't exist.",
        u"週間スケジュールファイルは読込まれていません。",
        u"The weekly schedule file doesn't open.",
        u"読み取り専用ファイルです。別の名前を付けて保存して下さい。",
        u"Read-Only file cannot be saved. Please save as a new file.",
        u"ヘルプファイルが見つかりません。",
        u"Can't find the help file.",
        u"スケジューラー・ファイルではありません。",
        u"It is not a Scheduler file.",
        u"正しいファイルではないか、またはファイルが壊れてる可能性があります。",
        u"It is not a correct file, or the file is corruptedr.",
        u"スケジューラーは変更されています。変更を保存しますか？",
        u"The schedule was changed. Save the schedule?",
        u"スケジュール作成を中止してファイルを開きますか？",
        u"Quite the scheduling and open a file?",
        u"週間スケジュール・ファイルではありません。",
        u"It is not a Week Schedule file.",
        u"有効なスケジュール・ファイルが週間スケジュール・ファイルにありません。",
        u"No valid schedule file in the Week Schedule file.",
        u"起動時読込週間スケジュール・ファイルが設定されていません。",
        u"No Auto Read weekly schedule file is defined.",
        u"スケジューラーは一杯です。追加できません。",
        u"The schedule is full.",
        u"スケジュール作成／変更中は他の表示へ切替えられません。",
        u"The scheduling mode disables to switch the view,",
        u"作成／変更したスケジュールを元に戻しますか？",
        u"Do you restore the created/updted schedule?",
        u"変更をキャンセルし、新規スケジュールを作成しますか？",
        u"Cancel the scheduling and create a new?",
        u"指定されたアラーム サウンド ファイルが見つかりません。",
        u"ot found the alarm sound file.",
        u"指定されたアラーム サウンド ファイルは再生できません。",
        u"The alarm sound file cannot be reproduced.",
        u"ファイル選択ボタンで指定してください。",
        u"Please select a file with the file button.",
        u"シンボリックリンクが循環しています。",
        u"The symbolic links of this path lead back to themselves.",
    };
    return table;
}
} // namespace

int LanguageIndex(int language)
{
    return language == 1 ? 1 : 0;
}

const std::u16string &Text(int code, int language)
{
    static const std::u16string empty;
    if (code < 0 || code >= MessageCount)
        return empty;
    return Table()[size_t(2 * code + LanguageIndex(language))];
}

std::u16string ComposeWithFileName(int code, const std::u16string &fileName, int language)
{
    if (fileName.empty())
        return Text(code, language);
    return fileName + u"\n\n" + Text(code, language);
}

} // namespace KMessageCatalog
