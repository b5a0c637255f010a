#include "bench_startup.h"

#include "bench_files.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Starts program and returns the time from the start to the first paint it reports, in ms.
std::optional<double> StartToFirstPaintMs(const QString &program, const QProcessEnvironment &env,
                                          const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    const QByteArray out = process.readAllStandardOutput();
    const qsizetype at = out.indexOf("first-paint ");
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const long long painted = out.mid(at + 12).trimmed().split('\n').first().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(started).count();
    return double(painted - startNs) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

void RunStartupBenchmarks()
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QString floorProgram = bin + "/orvella_startup_floor";
    const QString plannerProgram = bin + "/orvella_startup_planner";
    if (!QFile::exists(floorProgram) || !QFile::exists(plannerProgram)) {
        std::printf("start-up programs not built; skipped\n");
        return;
    }

    // A profile of its own: settings that name a 50-frame file as the most recent one.
    const fs::path dir = fs::temp_directory_path() / ("orvella-startup-" + std::to_string(::getpid()));
    for (const char *sub : {"home", "data", "config", "cache", "runtime"})
        fs::create_directories(dir / sub);
    fs::permissions(dir / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    KStdFileSystem files;
    KFakePrompter prompter;
    KFakeAppDataFolder appData((dir / "data").u16string());
    const std::u16string plan = (dir / "plan.ors").u16string();
    std::u16string settingsPath;
    const std::vector<uint8_t> settings = WriteBenchProfile(files, prompter, appData, plan, settingsPath);

    QProcessEnvironment childEnv = QProcessEnvironment::systemEnvironment();
    const auto folder = [&](const char *sub) { return QString::fromStdString((dir / sub).string()); };
    childEnv.insert("HOME", folder("home"));
    childEnv.insert("XDG_DATA_HOME", folder("data"));
    childEnv.insert("XDG_CONFIG_HOME", folder("config"));
    childEnv.insert("XDG_CACHE_HOME", folder("cache"));
    childEnv.insert("XDG_RUNTIME_DIR", folder("runtime"));

    const int runs = 11;
    std::vector<double> floorMs, textMs, plannerMs;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        // The planner writes its settings when it closes: every run starts from the same file.
        std::u16string temp;
        files.WriteTemporary(settingsPath, settings, temp);
        files.Rename(temp, settingsPath);
        if (auto ms = StartToFirstPaintMs(floorProgram, childEnv))
            floorMs.push_back(*ms);
        else
            ++failures;
        if (auto ms = StartToFirstPaintMs(floorProgram, childEnv, {"--text"}))
            textMs.push_back(*ms);
        else
            ++failures;
        if (auto ms = StartToFirstPaintMs(plannerProgram, childEnv))
            plannerMs.push_back(*ms);
        else
            ++failures;
    }
    if (failures)
        std::printf("start-up: %d runs reported no first paint\n", failures);
    if (!floorMs.empty() && !plannerMs.empty()) {
        const double f = Median(floorMs), p = Median(plannerMs);
        std::printf("start-up to first paint, bare Qt program:  median %.1f ms over %zu runs\n", f,
                    floorMs.size());
        std::printf("start-up to first paint, bare program with one Japanese label: median %.1f ms\n",
                    Median(textMs));
        std::printf("start-up to first paint, planner with settings and a 50-frame file: median %.1f ms "
                    "(%.2f x the bare program)\n",
                    p, p / f);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
