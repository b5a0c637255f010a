// Benchmarks of the graph views: full draw of a 50-frame schedule at the main window's
// default size, and the cost of the one-second tick with each view shown.
#include "bench_graphs.h"

#include "app/TOrvellaForm.h"
#include "graphs/KMainGraphSetup.h"
#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "model/KDaySchedule.h"
#include "platform/core/KClock.h"
#include "platform/fakes/KFakePrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {
// 50 frames of 28 or 29 minutes round the day, in many colours.
void Fill50(KDaySchedule &s)
{
    s.ClearFrames();
    int minute = 0;
    for (int i = 0; i < 50; ++i) {
        const int len = 1440 / 50 + (i % 2);
        const KSchTime start = KSchTime::MakeTime(uint8_t(minute / 60), uint8_t(minute % 60), 0);
        const KSchTime dur = KSchTime::MakeTime(uint8_t(len / 60), uint8_t(len % 60), 0);
        const uint32_t color = uint32_t((i * 47) % 256) | (uint32_t((i * 91) % 256) << 8) |
                               (uint32_t((i * 23 + 80) % 256) << 16);
        const std::u16string name = u"Item " + std::u16string(1, char16_t(u'A' + i % 26)) +
                                    std::u16string(1, char16_t(u'0' + i / 26));
        s.AppendFrame(KScheduleFrame(start, dur, name, color, u""));
        minute += len;
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F> double MedianMs(int runs, F f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(t);
}

template <typename F> double CpuUsPerCall(int calls, F f)
{
    const std::clock_t c0 = std::clock();
    for (int i = 0; i < calls; ++i)
        f(i);
    QApplication::processEvents();
    return double(std::clock() - c0) / CLOCKS_PER_SEC * 1e6 / calls;
}
} // namespace

void RunGraphBenchmarks()
{
    // The main window's view panel on a 1024 x 768 screen: 750 x 599.
    const int panelW = 750, panelH = 599;
    KDaySchedule s;
    Fill50(s);
    QWidget panel;
    panel.resize(panelW, panelH);

    auto *pie = new KTSchedulePie(&panel);
    KMainGraphSetup::SetUpPie(pie, panel.size(), false, true);
    pie->SetSchedule(&s);
    const double pieMs = MedianMs(31, [&] {
        pie->Clear();
        pie->Draw();
    });
    std::printf("pie full draw, 50 frames (radius %d):      median %.3f ms\n", pie->Radius(), pieMs);
    panel.show();
    QApplication::processEvents();
    const double pieMarkUs = CpuUsPerCall(5000, [&](int i) {
        pie->ShowTime(KSchTime::MakeTime(uint8_t((i / 60) % 24), uint8_t(i % 60), 0));
        QApplication::processEvents();
    });
    std::printf("pie ShowTime + repaint of the exposed area:   %.2f us per minute step (draws: %d)\n",
                pieMarkUs, pie->DrawCount());
    panel.hide();
    delete pie;

    auto *line = new KTScheduleTimeline(&panel);
    KMainGraphSetup::SetUpTimeline(line, panel.size(), false, true);
    line->SetSchedule(&s);
    const double lineMs = MedianMs(31, [&] {
        line->Clear();
        line->Draw();
    });
    std::printf("timeline full draw, 50 frames (axis %d):   median %.3f ms\n", line->AxisLength, lineMs);
    panel.show();
    QApplication::processEvents();
    const double lineMarkUs = CpuUsPerCall(5000, [&](int i) {
        line->ShowTime(KSchTime::MakeTime(uint8_t((i / 60) % 24), uint8_t(i % 60), 0));
        QApplication::processEvents();
    });
    std::printf("timeline ShowTime + repaint of exposed area:  %.2f us per minute step (draws: %d)\n",
                lineMarkUs, line->DrawCount());
    panel.hide();
    delete line;

    auto *count = new KTSchTimeCount(&panel);
    const double countMs = MedianMs(31, [&] { count->FillCounts(&s, &panel, panelW - 40, panelH - 40); });
    std::printf("time count fill, 50 frames:               median %.3f ms\n", countMs);
    delete count;

    // The tick with each view shown in the main window.
    KSystemClock clock;
    KFakePrompter prompter;
    KPlatform platform;
    platform.Clock = &clock;
    platform.Prompter = &prompter;
    TOrvellaForm window(platform, QSize(1024, 768));
    window.ShownSchedule.AssignSchedule(s);
    window.show();
    const char *names[] = {"list", "pie", "timeline", "count"};
    for (int view = 0; view <= 3; ++view) {
        window.SwitchView(view);
        QApplication::processEvents();
        const int ticks = 5000;
        const double us = CpuUsPerCall(ticks, [&](int) { window.ClockTick(); });
        std::printf("ClockTick CPU time (%s view):%*s %.2f us per tick over %d ticks\n", names[view],
                    int(10 - strlen(names[view])), "", us, ticks);
    }
}
