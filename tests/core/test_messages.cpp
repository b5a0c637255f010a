#include "model/KMessageCatalog.h"

#include <gtest/gtest.h>

TEST(MessageCatalog, TextsByLanguage)
{
    using namespace KMessageCatalog;
    EXPECT_EQ(Text(16, 0), u"ファイルが見つかりません。");
    EXPECT_EQ(Text(16, 1), u"The file doesn't exist.");
    EXPECT_EQ(Text(16, 2), Text(16, 0));
    EXPECT_EQ(Text(21, 1), u"It is not a correct file, or the file is corruptedr.");
    EXPECT_EQ(Text(31, 1), u"ot found the alarm sound file.");
    EXPECT_EQ(Text(33, 0), u"ファイル選択ボタンで指定してください。");
    EXPECT_TRUE(Text(12, 0).empty());
    EXPECT_TRUE(Text(12, 1).empty());
    EXPECT_EQ(Text(34, 1), u"The symbolic links of this path lead back to themselves.");
    EXPECT_TRUE(Text(35, 0).empty());
    EXPECT_TRUE(Text(-1, 0).empty());
    EXPECT_EQ(ComposeWithFileName(16, u"", 0), u"ファイルが見つかりません。");
    EXPECT_EQ(ComposeWithFileName(16, u"/tmp/a.ors", 0), u"/tmp/a.ors\n\nファイルが見つかりません。");
}
