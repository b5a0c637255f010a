// Benchmarks of the planner: start-up to first paint and the cost of the tick.
// Run: make bench (on a virtual display when there is none), or build/bin/orvella_bench.
#include "app/TOrvellaForm.h"
#include "bench_drag.h"
#include "bench_files.h"
#include "bench_graphs.h"
#include "bench_scheduling.h"
#include "bench_startup.h"
#include "platform/core/KClock.h"
#include "platform/fakes/KFakePrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
// Records the time of the first paint a widget receives.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QElapsedTimer &timer) : timer_(timer) {}
    qint64 nsecs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && nsecs < 0)
            nsecs = timer_.nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer &timer_;
};

template <typename Make> double TimeToFirstPaintMs(Make make)
{
    QElapsedTimer timer;
    FirstPaint probe(timer);
    qApp->installEventFilter(&probe);
    timer.start();
    auto widget = make();
    while (probe.nsecs < 0 && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    qApp->removeEventFilter(&probe);
    return double(probe.nsecs) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().contains("--start-up")) {
        RunStartupBenchmarks();
        return 0;
    }
    KSystemClock clock;
    KFakePrompter prompter;
    KPlatform platform;
    platform.Clock = &clock;
    platform.Prompter = &prompter;

    const int runs = 7;
    std::vector<double> bare, form;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(TimeToFirstPaintMs([] {
            auto w = std::make_unique<QWidget>();
            w->resize(1000, 691);
            w->show();
            return w;
        }));
        form.push_back(
            TimeToFirstPaintMs([&] { return std::make_unique<TOrvellaForm>(platform, QSize(1024, 768)); }));
    }
    std::printf("first paint, bare QWidget:        median %.2f ms over %d runs\n", Median(bare), runs);
    std::printf("first paint, TOrvellaForm:        median %.2f ms over %d runs\n", Median(form), runs);

    // CPU cost of one tick with the list view shown.
    TOrvellaForm window(platform, QSize(1024, 768));
    QApplication::processEvents();
    const int ticks = 20000;
    const std::clock_t c0 = std::clock();
    for (int i = 0; i < ticks; ++i)
        window.ClockTick();
    QApplication::processEvents();
    const double perTickUs = double(std::clock() - c0) / CLOCKS_PER_SEC * 1e6 / ticks;
    std::printf("ClockTick CPU time (list view):   %.2f us per tick over %d ticks\n", perTickUs, ticks);

    RunGraphBenchmarks();
    RunDragBenchmarks();
    RunFileBenchmarks([](const auto &make) { return TimeToFirstPaintMs(make); }, Median(bare), Median(form));
    RunSchedulingBenchmarks(platform);
    RunStartupBenchmarks();
    return 0;
}
