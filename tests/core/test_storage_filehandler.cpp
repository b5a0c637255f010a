#include "model/KMessageCatalog.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KFileHandler.h"

#include <gtest/gtest.h>

namespace {

struct FileHandlerTest : ::testing::Test {
    KFakeFileSystem files;
    KFakePrompter prompter;
    KFileHandler handler{files, prompter};
};

} // namespace

TEST_F(FileHandlerTest, LanguageValues)
{
    EXPECT_EQ(handler.GetLanguage(), 0);
    handler.SetLanguage(1);
    EXPECT_EQ(handler.GetLanguage(), 1);
    handler.SetLanguage(2);
    EXPECT_EQ(handler.GetLanguage(), 0);
    handler.SetLanguage(1);
    handler.SetLanguage(3);
    EXPECT_EQ(handler.GetLanguage(), 0);

    handler.SetLanguage(1);
    EXPECT_EQ(handler.GetFileSize(u"/none", true), 0u);
    ASSERT_EQ(prompter.History.size(), 1u);
    EXPECT_EQ(prompter.History[0].Caption, u"Error");
    EXPECT_EQ(prompter.History[0].Text, u"Can't open the file.");
    EXPECT_EQ(handler.GetFileSize(u"/none", false), 0u);
    EXPECT_EQ(prompter.History.size(), 1u);
}

TEST_F(FileHandlerTest, ReadsAndCheckedBlocks)
{
    files.Put(u"/f", {1, 2, 3, 6, 0, 9});
    std::vector<uint8_t> b;
    EXPECT_EQ(handler.GetFileSize(u"/f", false), 6u);
    EXPECT_EQ(handler.ReadBytes(u"/f", b, 4, 10), 2u);
    EXPECT_EQ(handler.ReadBytes(u"/f", b, 6, 1), 0u);
    EXPECT_EQ(handler.ReadCheckedBlock(u"/f", b, 0, 5), 5u);
    EXPECT_EQ(handler.ReadCheckedBlock(u"/f", b, 1, 5), 0u); // wrong sum
    EXPECT_EQ(handler.ReadCheckedBlock(u"/f", b, 3, 5), 0u); // too short
    EXPECT_EQ(handler.ReadCheckedBlock(u"/none", b, 0, 5), 0u);
    EXPECT_TRUE(prompter.History.empty());
}

TEST_F(FileHandlerTest, AppendAndBackup)
{
    EXPECT_EQ(handler.AppendBlock(u"/d/a.ors", {1}, 0), wrFileMissing);
    files.Put(u"/d/a.ors", {1, 2});
    EXPECT_EQ(handler.AppendBlock(u"/d/a.ors", {}, 0), wrOK);
    EXPECT_TRUE(files.Ops.empty());
    EXPECT_EQ(handler.AppendBlock(u"/d/a.ors", {3}, KWriteBackup), wrOK);
    EXPECT_EQ(files.Get(u"/d/a.ors"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(files.Get(u"/d/a.BAK"), (std::vector<uint8_t>{1, 2}));

    files.FailOpen.insert(u"/d/a.ors");
    EXPECT_EQ(handler.AppendBlock(u"/d/a.ors", {4}, 0), wrOpenFailed);
    ASSERT_EQ(prompter.History.size(), 1u);
    EXPECT_EQ(prompter.History[0].Caption, KMessageCatalog::Text(2, 0));
    EXPECT_EQ(prompter.History[0].Text, KMessageCatalog::Text(10, 0));
    files.FailOpen.clear();

    EXPECT_EQ(handler.MakeBackup(u"/d/none.ors", u"none.BAK"), 2);
    EXPECT_EQ(handler.MakeBackup(u"/d/a.BAK", u"a.BAK"), 1);
    EXPECT_EQ(handler.MakeBackup(u"/d/a.ors", u"a.BAK"), 1);
    EXPECT_EQ(files.Get(u"/d/a.BAK"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(files.Exists(u"/d/a.ors")); // the file itself stays in place
    files.FailAllRenames = true;
    EXPECT_EQ(handler.MakeBackup(u"/d/a.ors", u"a.BAK"), 4);
    EXPECT_EQ(prompter.History.back().Text, KMessageCatalog::Text(9, 0));

    // A backup that cannot be made stops the replacement: the file keeps its contents.
    files.FailAllRenames = false;
    files.FailRename.insert(u"/d/a.BAK");
    EXPECT_EQ(handler.CreateFileWithBlock(u"/d/a.ors", {7}, KWriteBackup), wrCreateFailed);
    EXPECT_EQ(files.Get(u"/d/a.ors"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(files.FilesStartingWith(u"/d/a.ors.").empty());
    EXPECT_TRUE(files.FilesStartingWith(u"/d/a.BAK.").empty());

    EXPECT_EQ(KFileHandler::BackupNameOf(u"C:\\p\\plan.v2.ors"), u"plan.v2.BAK");
    EXPECT_EQ(KFileHandler::BackupNameOf(u"/p/plan"), u"plan.BAK");
    EXPECT_EQ(KPath::FolderOf(u"C:\\p\\plan.ors"), u"C:\\p\\");
    EXPECT_EQ(KPath::ExtensionOf(u"/p.d/plan"), u"");
}
