#include "model/KMessageCatalog.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KFileHandler.h"
#include "storage/KFileKind.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
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

std::optional<std::vector<uint8_t>> ReadAll(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// While it lives, no file of this process may grow beyond the given size, as on a full
// device: a write past it fails with EFBIG (the signal that would end the process is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
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

// The machine's files on a device that refuses one chosen flush or rename, and a record of
// every flush and rename in the order they happened.
class KRefusingFiles : public KStdFileSystem {
public:
    int FailStep = -1; // the flush or rename with this number (from 0) fails
    std::vector<std::string> Steps;

    KFsStatus Rename(const std::u16string &from, const std::u16string &to) override
    {
        if (Take("rename to " + fs::path(to).filename().string()))
            return KFsStatus::IoError;
        return KStdFileSystem::Rename(from, to);
    }

protected:
    bool SyncToDevice(int fd) override
    {
        // What the descriptor is open on: a temporary file (named after what it is for) or a folder.
        char target[4096] = {};
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        const fs::path p(std::string(target, n > 0 ? size_t(n) : 0));
        const std::string name = p.filename().string();
        const bool temporary = name.size() > 1 && name[0] == '.';
        if (Take(temporary ? "flush new " + name.substr(1, name.find('~') - 1) : "flush folder")) {
            errno = EIO;
            return false;
        }
        return KStdFileSystem::SyncToDevice(fd);
    }

private:
    bool Take(const std::string &step)
    {
        Steps.push_back(step);
        return int(Steps.size()) - 1 == FailStep;
    }
};

// A save reports success only when its data is on the device: the new file and the backup are
// flushed before the file is replaced, the folder after. A device refusing any one step makes
// the save fail with message 11, and up to the replacement the old file stays as it was (after
// it, the backup holds it); no temporary file stays behind.
TEST_F(RealFilesTest, EachStepOfASaveReachesTheDeviceOrTheSaveFails)
{
    const std::vector<std::string> order = {"flush new plan.ors", "flush new plan.BAK", "rename to plan.BAK",
                                            "rename to plan.ors", "flush folder"};
    const auto itemIn = [&](const char *name) {
        KScheduleFile r(files, prompter);
        r.SetFileName(Path(name));
        return r.ReadSchedule() ? r.Schedule->GetFrame(0)->ItemName : u"(none)";
    };
    for (int fail = -1; fail < int(order.size()); ++fail) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        KScheduleFile old(files, prompter);
        old.SetFileName(Path("plan.ors"));
        old.WriteSchedule(Day(u"old"));
        ASSERT_EQ(old.ErrorCode, 0);

        KRefusingFiles refusing;
        refusing.FailStep = fail;
        KFakePrompter boxes;
        KScheduleFile w(refusing, boxes);
        w.SetFileName(Path("plan.ors"));
        w.WriteFlags = KWriteBackup;
        w.WriteSchedule(Day(u"new"));
        if (fail < 0) {
            EXPECT_EQ(refusing.Steps, order);
            EXPECT_EQ(w.ErrorCode, 0);
            EXPECT_EQ(itemIn("plan.ors"), u"new");
            EXPECT_EQ(itemIn("plan.BAK"), u"old");
            EXPECT_TRUE(boxes.History.empty());
            continue;
        }
        SCOPED_TRACE("failing: " + order[size_t(fail)]);
        EXPECT_EQ(refusing.Steps.back(), order[size_t(fail)]) << "nothing after the failed step";
        EXPECT_EQ(w.ErrorCode, 9);
        ASSERT_EQ(boxes.History.size(), 1u);
        EXPECT_EQ(boxes.History[0].Text, KMessageCatalog::Text(KMessageCatalog::CannotCreate, 0));
        const bool replaced = order[size_t(fail)] == "flush folder";
        EXPECT_EQ(itemIn("plan.ors"), replaced ? u"new" : u"old");
        if (replaced) {
            EXPECT_EQ(itemIn("plan.BAK"), u"old");
        }
        for (const std::string &name : Names())
            EXPECT_TRUE(name == "plan.ors" || name == "plan.BAK") << name << " left behind";
    }
}

TEST_F(RealFilesTest, ReadOnlyAttribute)
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
}

// Failures that no permission bypasses, so they happen for the superuser too: a folder
// standing at the backup's name (temporary files get unique names), and a device that fills up part-way
// through the write. Either way the save is reported as failed and the old file stays whole.
TEST_F(RealFilesTest, FailedSaveKeepsTheOldFile)
{
    KWeekSchFile w(files, prompter);
    w.SetFileName(Path("week.orw"));
    w.WriteWeekSchedule(KWeekSchConfig());
    ASSERT_EQ(w.ErrorCode, 0);
    const std::vector<uint8_t> old = *ReadAll(dir / "week.orw");
    KWeekSchConfig c;
    c.SetDayFile(0, u"/x.ors");

    const fs::path blocker = dir / "week.BAK";
    fs::create_directory(blocker);
    std::ofstream(blocker / "keep") << "x";
    w.WriteWeekSchedule(c);
    EXPECT_EQ(w.ErrorCode, 9);
    EXPECT_EQ(ReadAll(dir / "week.orw"), old);
    EXPECT_EQ(Names(), (std::vector<std::string>{"week.BAK", "week.orw"})); // no temporary file left
    EXPECT_TRUE(fs::exists(blocker / "keep"));
    fs::remove_all(blocker);

    {
        FileSizeLimit full(16);
        w.WriteWeekSchedule(c);
    }
    EXPECT_EQ(w.ErrorCode, 9);
    EXPECT_EQ(ReadAll(dir / "week.orw"), old);
    EXPECT_EQ(Names(), std::vector<std::string>{"week.orw"}); // no part-written file left behind

    KWeekSchFile r(files, prompter);
    r.SetFileName(Path("week.orw"));
    ASSERT_NE(r.ReadWeekSchedule(), nullptr);
    EXPECT_EQ(r.Config->GetDayFile(0), u"");

    // With room again the same save goes through.
    w.WriteWeekSchedule(c);
    EXPECT_EQ(w.ErrorCode, 0);
    ASSERT_NE(r.ReadWeekSchedule(), nullptr);
    EXPECT_EQ(r.Config->GetDayFile(0), u"/x.ors");
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
