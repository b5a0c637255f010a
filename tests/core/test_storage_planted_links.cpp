// Links someone else planted in a folder everyone may write into (like /tmp) are never saved
// through, as the kernel's protected-symlinks rule would not follow them; the user's own links
// and links in private folders are. A replace question through a link names the real file.
#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KScheduleFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace KMessageCatalog;

namespace {

// The machine's files, with the owners of chosen links played: the folders, the links and the
// saves are real.
class KPlayedOwners : public KStdFileSystem {
public:
    std::map<std::string, uint32_t> LinkOwners;

protected:
    bool OwnerAndMode(const std::string &path, uint32_t &owner, uint32_t &mode) override
    {
        if (!KStdFileSystem::OwnerAndMode(path, owner, mode))
            return false;
        if (auto it = LinkOwners.find(path); it != LinkOwners.end())
            owner = it->second;
        return true;
    }
};

KDaySchedule Day(const std::u16string &item)
{
    KDaySchedule s;
    s.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0}, item, 0xFFFFFF, u""));
    return s;
}

std::u16string ItemIn(KFileSystem &files, const fs::path &path)
{
    KFakePrompter p;
    KScheduleFile r(files, p);
    r.SetFileName(path.u16string());
    return r.ReadSchedule() ? r.Schedule->GetFrame(0)->ItemName : u"(unreadable)";
}

int Save(KFileSystem &files, KPrompter &prompter, const fs::path &path, const std::u16string &item,
         uint32_t flags = KWriteBackup)
{
    KScheduleFile w(files, prompter);
    w.SetFileName(path.u16string());
    w.WriteFlags = flags;
    w.WriteSchedule(Day(item));
    return w.ErrorCode;
}

struct PlantedLinks : ::testing::Test {
    fs::path dir, shared, home;
    KPlayedOwners files;
    KFakePrompter prompter;
    const uint32_t someoneElse = uint32_t(::geteuid()) + 4242;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("orvella-planted-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        shared = dir / "shared";
        home = dir / "home";
        fs::create_directories(shared);
        fs::create_directories(home);
        fs::permissions(shared, fs::perms(01777)); // like /tmp
        fs::permissions(home, fs::perms(0700));
        ASSERT_EQ(Save(files, prompter, home / "plan.ors", u"mine"), 0);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // Plants a link at at naming to, as someone else.
    void Plant(const fs::path &to, const fs::path &at)
    {
        fs::create_symlink(to, at);
        files.LinkOwners[at.native()] = someoneElse;
    }
    std::u16string LastBox() const { return prompter.History.empty() ? u"" : prompter.History.back().Text; }
    size_t Entries(const fs::path &folder) const
    {
        return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

} // namespace

TEST_F(PlantedLinks, AnotherUsersLinkInASharedFolderIsRefused)
{
    // A link to the user's plan, planted where the user saves a scratch copy.
    Plant(home / "plan.ors", shared / "scratch.ors");
    EXPECT_EQ(Save(files, prompter, shared / "scratch.ors", u"scratch"), CannotCreate);
    EXPECT_EQ(LastBox(), ComposeWithFileName(CannotCreate, (shared / "scratch.ors").u16string(), 0));
    EXPECT_EQ(ItemIn(files, home / "plan.ors"), u"mine");
    EXPECT_EQ(Entries(shared), 1u) << "the link alone, no temporary file";
    EXPECT_EQ(Entries(home), 1u) << "no backup, no temporary file";
    KScheduleFile check(files, prompter);
    EXPECT_EQ(check.CheckReplaceable((shared / "scratch.ors").u16string()), CannotCreate);

    // Further along a chain of links, or as a folder on the way, it is refused just the same.
    fs::create_symlink(shared / "scratch.ors", home / "via.ors");
    EXPECT_EQ(Save(files, prompter, home / "via.ors", u"scratch"), CannotCreate);
    Plant(home, shared / "folder");
    EXPECT_EQ(Save(files, prompter, shared / "folder" / "plan.ors", u"scratch"), CannotCreate);
    EXPECT_EQ(Save(files, prompter, shared / "folder" / ".." / "folder" / "plan.ors", u"scratch"),
              CannotCreate);
    EXPECT_EQ(ItemIn(files, home / "plan.ors"), u"mine");
}

TEST_F(PlantedLinks, OwnLinksAndLinksInPrivateFoldersAreSavedThrough)
{
    // The user's own link in the shared folder.
    fs::create_symlink(home / "plan.ors", shared / "mine.ors");
    EXPECT_EQ(Save(files, prompter, shared / "mine.ors", u"one"), 0);
    EXPECT_EQ(ItemIn(files, home / "plan.ors"), u"one");
    // Someone else's link where not everyone may write, or where the sticky bit is off: the
    // kernel follows it, and so does the save.
    Plant(home / "plan.ors", home / "theirs.ors");
    EXPECT_EQ(Save(files, prompter, home / "theirs.ors", u"three"), 0);
    Plant(home / "plan.ors", shared / "theirs.ors");
    fs::permissions(shared, fs::perms(0777));
    EXPECT_EQ(Save(files, prompter, shared / "theirs.ors", u"four"), 0);
    fs::permissions(shared, fs::perms(01775));
    EXPECT_EQ(Save(files, prompter, shared / "theirs.ors", u"five"), 0);
    EXPECT_EQ(ItemIn(files, home / "plan.ors"), u"five");
    fs::permissions(shared, fs::perms(01777));
    EXPECT_EQ(Save(files, prompter, shared / "theirs.ors", u"six"), CannotCreate);
    EXPECT_EQ(ItemIn(files, home / "plan.ors"), u"five");
}

// With real owners: a link of another user in a sticky folder of a third is refused; the
// folder owner's link is followed.
TEST_F(PlantedLinks, RealOwners)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give links to other users";
    KStdFileSystem real;
    ASSERT_EQ(::chown(shared.c_str(), 65533, 65533), 0);
    fs::create_symlink(home / "plan.ors", shared / "theirs.ors");
    ASSERT_EQ(::lchown((shared / "theirs.ors").c_str(), 65534, 65534), 0);
    EXPECT_EQ(Save(real, prompter, shared / "theirs.ors", u"theirs"), CannotCreate);
    ASSERT_EQ(::lchown((shared / "theirs.ors").c_str(), 65533, 65533), 0);
    EXPECT_EQ(Save(real, prompter, shared / "theirs.ors", u"owner's"), 0);
    EXPECT_EQ(ItemIn(real, home / "plan.ors"), u"owner's");
}

// Save As onto a name that is a link asks about the file that would be replaced.
TEST(ReplaceQuestion, NamesTheRealFileBehindALink)
{
    KFakeFileSystem files;
    KFakePrompter prompter;
    ASSERT_EQ(Save(files, prompter, "/real/plan.ors", u"old"), 0);
    files.Links[u"/home/plan.ors"] = u"/real/plan.ors";
    prompter.Answers = {KMsgAnswer::Cancel, KMsgAnswer::Cancel};
    EXPECT_EQ(Save(files, prompter, "/home/plan.ors", u"new", KWriteBackup | KWriteConfirm), Cancelled);
    EXPECT_EQ(prompter.History.back().Text, u"/real/plan.ors" + Text(ReplacePrompt, 0));
    EXPECT_EQ(Save(files, prompter, "/real/plan.ors", u"new", KWriteBackup | KWriteConfirm), Cancelled);
    EXPECT_EQ(prompter.History.back().Text, u"plan.ors" + Text(ReplacePrompt, 0));
    files.ForeignLinks.insert(u"/home/plan.ors");
    EXPECT_EQ(Save(files, prompter, "/home/plan.ors", u"new", KWriteBackup | KWriteConfirm), CannotCreate);
    EXPECT_EQ(ItemIn(files, "/real/plan.ors"), u"old");
}
