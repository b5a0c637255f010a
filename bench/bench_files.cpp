#include "bench_files.h"

#include "app/TOrvellaForm.h"
#include "platform/core/KClock.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/statfs.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The kind of file system a folder lies on, for the record: a save in memory says nothing
// about a save on a disk.
std::string FileSystemKind(const fs::path &dir)
{
    struct statfs st;
    if (::statfs(dir.c_str(), &st) != 0)
        return "unknown file system";
    switch (static_cast<unsigned long>(st.f_type)) {
    case 0x01021994ul:
        return "tmpfs, in memory";
    case 0xEF53ul:
        return "ext2/3/4";
    case 0x58465342ul:
        return "xfs";
    case 0x9123683Eul:
        return "btrfs";
    case 0x794C7630ul:
        return "overlayfs";
    default: {
        char hex[32];
        std::snprintf(hex, sizeof hex, "file system 0x%lx", static_cast<unsigned long>(st.f_type));
        return hex;
    }
    }
}

} // namespace

KDaySchedule BenchFiftyFrames()
{
    KDaySchedule s;
    for (int i = 0; i < 50; ++i) {
        const int minutes = i * 28;
        s.AppendFrame(KScheduleFrame(KSchTime{uint8_t(minutes / 60), uint8_t(minutes % 60), 0},
                                     KSchTime{0, 28, 0}, u"項目" + std::u16string(1, char16_t(u'A' + i % 26)),
                                     0x102030u * uint32_t(i), i % 3 ? u"" : u"メモ"));
    }
    return s;
}

std::vector<uint8_t> WriteBenchProfile(KFileSystem &files, KPrompter &prompter, KAppDataFolder &appData,
                                       const std::u16string &plan, std::u16string &settingsPath)
{
    KScheduleFile schedule(files, prompter);
    schedule.SetFileName(plan);
    schedule.WriteSchedule(BenchFiftyFrames());
    KSchAlarmConfig alarm(4);
    KWeekSchConfig week;
    KOrvellaEnv env(files, prompter, appData);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    env.OptionBits = KOrvellaEnv::OptCurTimeMark;
    env.RecentFiles = {plan};
    settingsPath = env.SettingsFilePath();
    files.CreateFolders(KPath::FolderOf(settingsPath));
    env.WriteSettings();
    uint64_t size = 0;
    std::vector<uint8_t> bytes;
    files.FileSize(settingsPath, size);
    files.ReadAt(settingsPath, 0, size_t(size), bytes);
    return bytes;
}

namespace {

template <typename F> double MedianMs(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

} // namespace

void RunFileBenchmarks(const KFirstPaintTimer &firstPaintMs, double bareMs, double plainFormMs)
{
    // On a disk, not in memory: ORVELLA_BENCH_DIR, else the temporary folder.
    const char *benchDir = std::getenv("ORVELLA_BENCH_DIR");
    const fs::path dir = (benchDir && *benchDir ? fs::path(benchDir) : fs::temp_directory_path()) /
                         ("orvella-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    KStdFileSystem files;
    KFakePrompter prompter;
    KSystemClock clock;
    KFakeAppDataFolder appData(dir.u16string());
    const std::u16string plan = (dir / "plan.ors").u16string();

    // The window writes its settings when it goes: keep the file as it was for every run.
    std::u16string settingsPath;
    const std::vector<uint8_t> settings = WriteBenchProfile(files, prompter, appData, plan, settingsPath);
    KScheduleFile w(files, prompter);
    w.SetFileName(plan);
    w.WriteFlags = KWriteBackup;

    KPlatform platform;
    platform.Clock = &clock;
    platform.Prompter = &prompter;
    platform.Files = &files;
    platform.AppData = &appData;

    std::vector<double> startUp;
    for (int i = 0; i < 7; ++i) {
        std::u16string temp;
        files.WriteTemporary(settingsPath, settings, temp);
        files.Rename(temp, settingsPath);
        startUp.push_back(firstPaintMs([&] {
            auto form = std::make_unique<TOrvellaForm>(platform, QSize(1024, 768));
            return std::unique_ptr<QWidget>(form.release());
        }));
    }
    const double startMs = Median(startUp);
    std::printf("first paint, with settings and a 50-frame file: median %.2f ms (%.2f x the bare widget, "
                "%.2f x the window without them)\n",
                startMs, startMs / bareMs, startMs / plainFormMs);

    const double readMs = MedianMs(101, [&] {
        KScheduleFile r(files, prompter);
        r.SetFileName(plan);
        r.ReadSchedule();
    });
    const KDaySchedule fifty = BenchFiftyFrames();
    // Every save returns once the new file, its backup and their names are on the device.
    const double writeMs = MedianMs(101, [&] { w.WriteSchedule(fifty); });
    std::printf("50-frame file in %s (%s): read %.3f ms, durable save with backup %.3f ms (medians of 101)\n",
                dir.c_str(), FileSystemKind(dir).c_str(), readMs, writeMs);
    // The same save in memory-backed files shows what the program itself costs.
    if (fs::is_directory("/dev/shm")) {
        const fs::path shm = fs::path("/dev/shm") / ("orvella-bench-" + std::to_string(::getpid()));
        fs::create_directories(shm);
        KScheduleFile m(files, prompter);
        m.SetFileName((shm / "plan.ors").u16string());
        m.WriteFlags = KWriteBackup;
        m.WriteSchedule(fifty);
        std::printf("50-frame file in /dev/shm: save with backup %.3f ms\n",
                    MedianMs(101, [&] { m.WriteSchedule(fifty); }));
        std::error_code ec;
        fs::remove_all(shm, ec);
    }

    TOrvellaForm window(platform, QSize(1024, 768));
    window.Timer1->stop();
    QApplication::processEvents();
    const QString planQ = QString::fromStdU16String(plan);
    const double openMs = MedianMs(101, [&] { window.OpenScheduleFile(planQ, false); });
    std::printf("50-frame file through the window: open and show %.3f ms\n", openMs);

    std::error_code ec;
    fs::remove_all(dir, ec);
}
