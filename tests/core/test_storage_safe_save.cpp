// Saving over unusual targets: files the user may not change, links, pipes, names planted
// where the temporary file could go, and bytes in file names that are not UTF-8.
#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// Files that may not be replaced are refused by name before anything is written: another
// user's file and a read-only one with message 18, a link loop with message 34 (never replaced
// by a regular file). Files that cannot be read say so (10, 34), not that they are damaged.
TEST(SafeSave, RefusedTargetsAreNamedAndKept)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    ASSERT_EQ(Save(files, prompter, u"/d/plan.ors", u"old"), 0);
    const auto lastBox = [&] { return prompter.History.empty() ? u"" : prompter.History.back().Text; };
    using namespace KMessageCatalog;

    files.Unwritable.insert(u"/d/plan.ors");
    EXPECT_EQ(Save(files, prompter, u"/d/plan.ors", u"new"), ReadOnlyFile);
    EXPECT_EQ(lastBox(), ComposeWithFileName(ReadOnlyFile, u"/d/plan.ors", 0));
    files.Unwritable.clear();
    files.ReadOnly.insert(u"/d/plan.ors");
    EXPECT_EQ(Save(files, prompter, u"/d/plan.ors", u"new"), ReadOnlyFile);
    files.ReadOnly.clear();
    EXPECT_EQ(ItemIn(files, u"/d/plan.ors"), u"old");
    EXPECT_EQ(files.Files.size(), 1u) << "no backup, no temporary file";

    files.Links[u"/d/a.ors"] = u"/d/b.ors";
    files.Links[u"/d/b.ors"] = u"/d/a.ors";
    EXPECT_EQ(Save(files, prompter, u"/d/a.ors", u"new"), LinkLoop);
    EXPECT_EQ(lastBox(), ComposeWithFileName(LinkLoop, u"/d/a.ors", 0));
    EXPECT_EQ(files.Files.size(), 1u);
    EXPECT_EQ(files.Links.size(), 2u);

    KScheduleFile r(files, prompter);
    r.SetFileName(u"/d/a.ors");
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, LinkLoop);
    files.FailOpen.insert(u"/d/plan.ors"); // another user's file of mode 600
    r.SetFileName(u"/d/plan.ors");
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, CannotOpen);
    files.Folders.insert(u"/d/folder.ors");
    r.SetFileName(u"/d/folder.ors");
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, CannotOpen);
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

// Any name the folder takes can be saved (the temporary names stay short), and what an earlier
// save left behind when it was cut off is cleared by the next save of the same file, and only that.
TEST_F(RealSafeSave, LongNamesSaveAndLeftoversAreCleared)
{
    std::string stem;
    for (int i = 0; i < 82; ++i)
        stem += "予"; // 246 bytes: with ".ors", five short of the longest name
    const std::string name = stem + ".ors";
    ASSERT_EQ(name.size(), 250u);
    const std::u16string path = KStdFileSystem::TextOf((dir / name).native());
    ASSERT_EQ(Save(files, prompter, path, u"one"), 0);
    const std::string leftover = KStdFileSystem::TemporaryPrefix(name) + "Ab12Cd";
    const std::string backupLeftover = KStdFileSystem::TemporaryPrefix(stem + ".BAK") + "x1y2z3";
    const std::string planted = KStdFileSystem::TemporaryPrefix(name) + "ZZZZZZ";
    const std::string otherFiles = KStdFileSystem::TemporaryPrefix("other.ors") + "abcdef";
    for (const std::string &n : {leftover, backupLeftover, otherFiles})
        std::ofstream(dir / n) << "cut off";
    std::ofstream(dir / "victim.txt") << "keep";
    fs::create_symlink("victim.txt", dir / planted);
    EXPECT_LT(leftover.size(), 64u);

    ASSERT_EQ(Save(files, prompter, path, u"two"), 0);
    EXPECT_EQ(ItemIn(files, path), u"two");
    EXPECT_EQ(ItemIn(files, KStdFileSystem::TextOf((dir / (stem + ".BAK")).native())), u"one");
    EXPECT_FALSE(fs::exists(dir / leftover));
    EXPECT_FALSE(fs::exists(dir / backupLeftover));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / planted))) << "a link is never taken for a leftover";
    EXPECT_TRUE(fs::exists(dir / otherFiles)) << "another file's save may still be running";
    EXPECT_EQ(Entries(), 5u);
}

// Symbolic links that lead back to themselves: a clear error for reading and saving, and the
// links stay links.
TEST_F(RealSafeSave, LinkLoopsAreRefusedAndStayLinks)
{
    fs::create_symlink("b.ors", dir / "a.ors");
    fs::create_symlink("a.ors", dir / "b.ors");
    EXPECT_EQ(Save(files, prompter, P("a.ors"), u"new"), KMessageCatalog::LinkLoop);
    ASSERT_FALSE(prompter.History.empty());
    EXPECT_EQ(prompter.History.back().Text, KMessageCatalog::ComposeWithFileName(34, P("a.ors"), 0));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "a.ors")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "b.ors")));
    EXPECT_EQ(Entries(), 2u);
    KScheduleFile r(files, prompter);
    r.SetFileName(P("b.ors"));
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, KMessageCatalog::LinkLoop);
    EXPECT_TRUE(files.Exists(P("a.ors")));
    // A folder given as a schedule cannot be opened.
    r.SetFileName(dir.u16string());
    EXPECT_EQ(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.ErrorCode, KMessageCatalog::CannotOpen);
}

// A member of a file's group who saves it keeps the group: the others who share the file can
// still read it and its backup. Needs the superuser to set up the users.
TEST_F(RealSafeSave, GroupOfASharedFileIsKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    const gid_t shared = 4242;
    const uid_t owner = 4343, member = 4444;
    ASSERT_EQ(::chown(dir.c_str(), 0, shared), 0);
    fs::permissions(dir, fs::perms(0775));
    ASSERT_EQ(Save(files, prompter, P("plan.ors"), u"old"), 0);
    ASSERT_EQ(::chown((dir / "plan.ors").c_str(), owner, shared), 0);
    fs::permissions(dir / "plan.ors", fs::perms(0664));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The member saves: it may not give the file to its owner, but may keep the group.
        if (::setgroups(1, &shared) != 0 || ::setgid(member) != 0 || ::setuid(member) != 0)
            ::_exit(100);
        KStdFileSystem own;
        KFakePrompter quiet;
        ::_exit(Save(own, quiet, P("plan.ors"), u"new"));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    struct stat st;
    for (const char *name : {"plan.ors", "plan.BAK"}) {
        ASSERT_EQ(::stat((dir / name).c_str(), &st), 0) << name;
        EXPECT_EQ(st.st_gid, shared) << name;
        EXPECT_EQ(st.st_uid, member) << name;
        EXPECT_EQ(st.st_mode & 0777, 0664u) << name;
    }
    EXPECT_EQ(ItemIn(files, P("plan.ors")), u"new");
}
