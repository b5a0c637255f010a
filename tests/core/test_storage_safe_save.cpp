// Saving over unusual targets: files the user may not change, links, pipes, names planted
// where the temporary file could go, and bytes in file names that are not UTF-8.
#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

KDaySchedule Day(const std::u16string &item)
{
    KDaySchedule s;
    s.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0}, item, 0xFFFFFF, u""));
    return s;
}

std::u16string ItemIn(KFileSystem &files, const std::u16string &path)
{
    KFakePrompter p;
    KScheduleFile r(files, p);
    r.SetFileName(path);
    return r.ReadSchedule() ? r.Schedule->GetFrame(0)->ItemName : u"(unreadable)";
}

int Save(KFileSystem &files, KPrompter &prompter, const std::u16string &path, const std::u16string &item)
{
    KScheduleFile w(files, prompter);
    w.SetFileName(path);
    w.WriteFlags = KWriteBackup;
    w.WriteSchedule(Day(item));
    return w.ErrorCode;
}

} // namespace

TEST(SafeSave, UnwritableTargetIsRefusedAndKept)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    ASSERT_EQ(Save(files, prompter, u"/d/plan.ors", u"old"), 0);
    files.Unwritable.insert(u"/d/plan.ors");
    EXPECT_EQ(Save(files, prompter, u"/d/plan.ors", u"new"), 9);
    EXPECT_EQ(ItemIn(files, u"/d/plan.ors"), u"old");
    ASSERT_FALSE(prompter.History.empty());
    EXPECT_EQ(prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::CannotCreate, 0));
    EXPECT_EQ(files.Files.size(), 1u) << "no backup, no temporary file";
}

TEST(SafeSave, LinksAreSavedThroughAndOddSourcesGiveCleanErrors)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    ASSERT_EQ(Save(files, prompter, u"/real/plan.ors", u"old"), 0);
    files.Links[u"/home/plan.ors"] = u"/real/plan.ors";
    EXPECT_EQ(Save(files, prompter, u"/home/plan.ors", u"new"), 0);
    EXPECT_EQ(ItemIn(files, u"/real/plan.ors"), u"new");
    EXPECT_EQ(ItemIn(files, u"/real/plan.BAK"), u"old");
    EXPECT_FALSE(files.Files.count(u"/home/plan.ors")) << "the link itself was not replaced";

    // A target that cannot be copied for its backup (a device) is refused whole.
    files.NotRegular.insert(u"/real/plan.ors");
    EXPECT_EQ(Save(files, prompter, u"/real/plan.ors", u"third"), 9);
    EXPECT_EQ(ItemIn(files, u"/real/plan.ors"), u"new");
    EXPECT_TRUE(files.FilesStartingWith(u"/real/plan.ors.").empty());
}

struct RealSafeSave : ::testing::Test {
    fs::path dir;
    KStdFileSystem files;
    KFakePrompter prompter;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("orvella-safe-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::u16string P(const char *name) const { return (dir / name).u16string(); }
    size_t Entries() const
    {
        return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
};

TEST_F(RealSafeSave, LinkStaysAndModeSurvives)
{
    ASSERT_EQ(Save(files, prompter, P("real.ors"), u"old"), 0);
    fs::permissions(dir / "real.ors", fs::perms(0640));
    fs::create_symlink("real.ors", dir / "link.ors");

    ASSERT_EQ(Save(files, prompter, P("link.ors"), u"new"), 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "link.ors")));
    EXPECT_EQ(ItemIn(files, P("real.ors")), u"new");
    EXPECT_EQ(ItemIn(files, P("real.BAK")), u"old");
    EXPECT_EQ(fs::status(dir / "real.ors").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(dir / "real.BAK").permissions(), fs::perms(0640));
    EXPECT_EQ(Entries(), 3u) << "no temporary file left";
}

TEST_F(RealSafeSave, PlantedLinksAtTemporaryNamesAreNeverFollowed)
{
    ASSERT_EQ(Save(files, prompter, P("plan.ors"), u"old"), 0);
    {
        std::ofstream victim(dir / "victim.txt");
        victim << "keep";
    }
    for (const char *planted : {"plan.ors.~new", "plan.ors.tmp", "plan.BAK.~new"})
        fs::create_symlink("victim.txt", dir / planted);
    ASSERT_EQ(Save(files, prompter, P("plan.ors"), u"new"), 0);
    std::ifstream victim(dir / "victim.txt");
    std::string text;
    victim >> text;
    EXPECT_EQ(text, "keep");
    EXPECT_EQ(fs::file_size(dir / "victim.txt"), 4u);
    EXPECT_EQ(ItemIn(files, P("plan.ors")), u"new");
}

TEST_F(RealSafeSave, PipeAsTargetIsRefusedWithoutBlocking)
{
    ASSERT_EQ(::mkfifo((dir / "pipe.ors").c_str(), 0644), 0);
    EXPECT_EQ(Save(files, prompter, P("pipe.ors"), u"new"), 9);
    EXPECT_EQ(fs::status(dir / "pipe.ors").type(), fs::file_type::fifo);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(RealSafeSave, BackupOfALargeFileIsStreamedWhole)
{
    {
        std::ofstream big(dir / "big.ors", std::ios::binary);
        std::string block(1 << 20, 'b');
        for (int i = 0; i < 6; ++i)
            big << block;
    }
    ASSERT_EQ(Save(files, prompter, P("big.ors"), u"new"), 0);
    EXPECT_EQ(fs::file_size(dir / "big.BAK"), 6u << 20);
    EXPECT_EQ(ItemIn(files, P("big.ors")), u"new");
}

TEST_F(RealSafeSave, NamesThatAreNotUtf8RoundTrip)
{
    const std::string raw = std::string("plan-") + char(0xFF) + char(0xC3) + ".ors";
    const std::u16string text = KStdFileSystem::TextOf((dir / raw).native());
    std::string back;
    ASSERT_TRUE(KStdFileSystem::NativeOf(text, back));
    EXPECT_EQ(back, (dir / raw).native());
    ASSERT_EQ(Save(files, prompter, text, u"x"), 0);
    EXPECT_TRUE(fs::exists(dir / raw));
    EXPECT_EQ(ItemIn(files, text), u"x");
    // Valid UTF-8 stays as it is; a lone surrogate that stands for no byte names no file.
    EXPECT_EQ(KStdFileSystem::TextOf("予定"), u"予定");
    EXPECT_FALSE(KStdFileSystem::NativeOf(std::u16string(1, char16_t(0xD800)), back));
}
