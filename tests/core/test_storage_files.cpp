#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KFileKind.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct RealFilesTest : ::testing::Test {
    fs::path dir;
    KStdFileSystem files;
    KFakePrompter prompter;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("orvella-files-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::u16string Path(const char *name) const { return (dir / name).u16string(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

KDaySchedule Day(const std::u16string &item)
{
    KDaySchedule s;
    s.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0}, item, 0xFFFFFF, u""));
    return s;
}

} // namespace

TEST_F(RealFilesTest, SaveReplaceAndBackupOnDisk)
{
    KScheduleFile w(files, prompter);
    w.SetFileName(Path("予定.ors"));
    w.WriteFlags = KWriteBackup;
    w.WriteSchedule(Day(u"one"));
    ASSERT_EQ(w.ErrorCode, 0);
    w.WriteSchedule(Day(u"two"));
    ASSERT_EQ(w.ErrorCode, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"予定.BAK", "予定.ors"}));
    EXPECT_EQ(fs::file_size(dir / "予定.ors"), 270u); // 268 for a two-character item, one more here

    KScheduleFile r(files, prompter);
    r.SetFileName(Path("予定.BAK"));
    ASSERT_NE(r.ReadSchedule(), nullptr);
    EXPECT_EQ(r.Schedule->GetFrame(0)->ItemName, u"one");
    EXPECT_EQ(CheckFileKind(files, Path("予定.ors")), KFileKind::Schedule);
    EXPECT_EQ(CheckFileKind(files, Path("none")), KFileKind::Unknown);
    EXPECT_EQ(r.PeekFrameCount(Path("予定.ors")), 1);

    uint64_t size = 0;
    EXPECT_EQ(files.FileSize(Path("none"), size), KFsStatus::NotFound);
    EXPECT_EQ(files.FileSize(dir.u16string(), size), KFsStatus::NotFound);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(files.ReadAt(Path("予定.ors"), 260, 100, bytes), KFsStatus::Ok);
    EXPECT_EQ(bytes.size(), 10u);
    EXPECT_EQ(files.ReadAt(Path("予定.ors"), 1000, 10, bytes), KFsStatus::Ok);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(RealFilesTest, ReadOnlyAttributeAndUnwritableFolder)
{
    KWeekSchFile w(files, prompter);
    w.SetFileName(Path("week.orw"));
    w.WriteWeekSchedule(KWeekSchConfig());
    ASSERT_EQ(w.ErrorCode, 0);
    EXPECT_FALSE(files.IsReadOnly(Path("week.orw")));
    EXPECT_FALSE(files.IsReadOnly(Path("missing.orw")));
    fs::permissions(dir / "week.orw",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(files.IsReadOnly(Path("week.orw")));

    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
    KWeekSchConfig c;
    c.SetDayFile(0, u"/x.ors");
    w.WriteWeekSchedule(c);
    EXPECT_EQ(w.ErrorCode, 9);
    KWeekSchFile r(files, prompter);
    r.SetFileName(Path("week.orw"));
    ASSERT_NE(r.ReadWeekSchedule(), nullptr);
    EXPECT_EQ(r.Config->GetDayFile(0), u"");
}

TEST_F(RealFilesTest, SettingsFolderIsMadeOnWriteOnly)
{
    KFakeAppDataFolder appData(dir.u16string() + u"/data");
    KSchAlarmConfig alarm;
    KWeekSchConfig week;
    KOrvellaEnv env(files, prompter, appData);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    EXPECT_FALSE(files.Exists(env.SettingsFilePath()));
    EXPECT_EQ(env.ReadSettings(), 21);
    EXPECT_FALSE(fs::exists(dir / "data"));
    env.RecentFiles = {u"/a.ors"};
    ASSERT_TRUE(env.WriteSettings());
    EXPECT_TRUE(fs::is_regular_file(dir / "data" / "Tolvarin" / "Orvella" / "OrvellaEnv.ore"));
    KOrvellaEnv again(files, prompter, appData);
    again.AlarmConfigRef = &alarm;
    EXPECT_EQ(again.ReadSettings(), 0);
    EXPECT_EQ(again.RecentFiles, env.RecentFiles);
}
