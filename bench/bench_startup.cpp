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

struct FirstPaint {
    double ms = 0;            // from the start of the process to its first paint
    long long peakRssKb = -1; // peak resident memory at that moment
};

// Starts program and returns what it reports of its first paint.
std::optional<FirstPaint> StartToFirstPaint(const QString &program, const QProcessEnvironment &env,
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
    const auto field = [&](const QByteArray &name) -> std::optional<long long> {
        const qsizetype at = out.indexOf(name + ' ');
        if (at < 0)
            return std::nullopt;
        bool ok = false;
        const long long value = out.mid(at + name.size() + 1).split('\n').first().trimmed().toLongLong(&ok);
        return ok ? std::optional<long long>(value) : std::nullopt;
    };
    const auto painted = field("first-paint");
    if (!painted)
        return std::nullopt;
    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(started).count();
    return FirstPaint{double(*painted - startNs) / 1e6, field("peak-rss-kb").value_or(-1)};
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

    const QString floorJaProgram = bin + "/orvella_startup_floor_ja";
    const int runs = 11;
    std::vector<double> floorMs, floorJaMs, plannerMs, floorJaKb, plannerKb;
    int failures = 0;
    const auto measure = [&](const QString &program, std::vector<double> &ms, std::vector<double> *kb) {
        if (auto r = StartToFirstPaint(program, childEnv)) {
            ms.push_back(r->ms);
            if (kb && r->peakRssKb >= 0)
                kb->push_back(double(r->peakRssKb));
        } else {
            ++failures;
        }
    };
    for (int i = 0; i < runs; ++i) {
        // The planner writes its settings when it closes: every run starts from the same file.
        std::u16string temp;
        files.WriteTemporary(settingsPath, settings, temp);
        files.Rename(temp, settingsPath);
        measure(floorProgram, floorMs, nullptr);
        if (QFile::exists(floorJaProgram))
            measure(floorJaProgram, floorJaMs, &floorJaKb);
        measure(plannerProgram, plannerMs, &plannerKb);
    }
    if (failures)
        std::printf("start-up: %d runs reported no first paint\n", failures);
    if (!floorMs.empty())
        std::printf("start-up to first paint, bare Qt window: median %.1f ms over %zu runs\n",
                    Median(floorMs), floorMs.size());
    if (!floorJaMs.empty())
        std::printf("start-up to first paint, Qt floor (menus, table, calendar, Japanese): median %.1f ms, "
                    "peak resident %.1f MB\n",
                    Median(floorJaMs), Median(floorJaKb) / 1024);
    if (!plannerMs.empty())
        std::printf("start-up to first paint, planner with settings and a 50-frame file: median %.1f ms, "
                    "peak resident %.1f MB\n",
                    Median(plannerMs), Median(plannerKb) / 1024);
    if (!floorJaMs.empty() && !plannerMs.empty()) {
        const double ratio = Median(plannerMs) / Median(floorJaMs);
        const double mb = Median(plannerKb) / 1024;
        std::printf(
            "start-up: %.2f x the Qt floor (goal at most 1.20): %s; resident %.1f MB (goal at most 50): "
            "%s\n",
            ratio, ratio <= 1.2 ? "met" : "NOT met", mb, mb <= 50 ? "met" : "NOT met");
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
