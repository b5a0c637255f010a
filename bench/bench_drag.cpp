// Dragging on the big pie and timeline of a 50-frame day: each mouse move computes the new
// times, repaints the frames' picture and shows it. The goal is at most 4 ms per move.
#include "bench_drag.h"

#include "graphs/KMainGraphSetup.h"
#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "model/KScheduleEditCore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {
// 50 frames of 29 or 28 minutes that fill the day, in many colours.
void Fill50(KDaySchedule &s)
{
    s.ClearFrames();
    int minute = 0;
    for (int i = 0; i < 50; ++i) {
        const int take = i < 40 ? 29 : 28;
        const uint32_t color = uint32_t((i * 47) % 256) | (uint32_t((i * 91) % 256) << 8) |
                               (uint32_t((i * 23 + 80) % 256) << 16);
        const std::u16string name = u"Item " + std::u16string(1, char16_t(u'A' + i % 26)) +
                                    std::u16string(1, char16_t(u'0' + i / 26));
        s.AppendFrame(KScheduleFrame(KSchTime::MakeTime(uint8_t(minute / 60), uint8_t(minute % 60), 0),
                                     KSchTime::MakeTime(uint8_t(take / 60), uint8_t(take % 60), 0), name,
                                     color, u""));
        minute += take;
    }
}

void Send(QWidget *w, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct MoveMs {
    double Median, P95, Worst;
};

// Milliseconds of one move (event, new times, repaint, paint on screen) over a drag that
// sweeps the pointer back and forth along path.
MoveMs MsPerMove(QWidget *graph, QPoint press, const std::function<QPoint(int)> &path, int moves)
{
    Send(graph, QEvent::MouseButtonPress, press);
    std::vector<double> ms;
    for (int i = 0; i < moves; ++i) {
        QElapsedTimer t;
        t.start();
        Send(graph, QEvent::MouseMove, path(i));
        graph->repaint(); // paint now, as the next frame on screen would
        QApplication::processEvents();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    Send(graph, QEvent::MouseButtonRelease, path(moves - 1));
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back()};
}
} // namespace

void RunDragBenchmarks()
{
    const int panelW = 750, panelH = 599;
    KDaySchedule shown;
    Fill50(shown);
    QWidget panel;
    panel.resize(panelW, panelH);
    const int moves = 400;

    {
        KScheduleEditCore core(shown);
        auto *pie = new KTSchedulePie(&panel);
        KMainGraphSetup::SetUpPie(pie, panel.size(), false, true);
        pie->SetSchedule(&core.Edit());
        pie->Draw();
        pie->DragEditor()->SetEditCore(&core);
        panel.show();
        QApplication::processEvents();
        // The boundary after frame 20, moved up to an hour either way at two thirds of the radius.
        const double r = pie->Radius() * 2.0 / 3.0;
        auto at = [&](double minutes) {
            const double theta = (minutes / 4.0 + 270.0) * std::numbers::pi / 180.0;
            return pie->Centre() + QPoint(int(-r * std::cos(theta)), int(-r * std::sin(theta)));
        };
        const double edge = double(core.Edit().GetFrame(21)->StartTime.TotalSeconds()) / 60.0;
        const auto [median, p95, worst] = MsPerMove(
            pie, at(edge), [&](int i) { return at(edge + 60.0 * std::sin(i / 20.0)); }, moves);
        const auto [bodyMedian, bodyP95, bodyWorst] = MsPerMove(
            pie, at(edge + 14), [&](int i) { return at(edge + 14 + 45.0 * std::sin(i / 20.0)); }, moves);
        std::printf("pie drag, 50 frames (radius %d):        boundary median %.3f ms, 95%% %.3f ms, worst "
                    "%.3f ms per move\n",
                    pie->Radius(), median, p95, worst);
        std::printf("                                        body     median %.3f ms, 95%% %.3f ms, worst "
                    "%.3f ms per move (goal 4 ms)\n",
                    bodyMedian, bodyP95, bodyWorst);
        panel.hide();
        delete pie;
    }
    {
        KScheduleEditCore core(shown);
        auto *line = new KTScheduleTimeline(&panel);
        KMainGraphSetup::SetUpTimeline(line, panel.size(), false, true);
        line->SetSchedule(&core.Edit());
        line->Draw();
        line->DragEditor()->SetEditCore(&core);
        panel.show();
        QApplication::processEvents();
        const double minute = line->AxisLength / 1440.0;
        const int x = line->BlocksLeft() + line->BarWidth - 10;
        const double edge = double(core.Edit().GetFrame(21)->StartTime.TotalSeconds()) / 60.0;
        auto at = [&](double minutes) { return QPoint(x, int(line->Origin.y() + minutes * minute)); };
        const auto [median, p95, worst] = MsPerMove(
            line, at(edge), [&](int i) { return at(edge + 60.0 * std::sin(i / 20.0)); }, moves);
        std::printf("timeline drag, 50 frames (axis %d):     boundary median %.3f ms, 95%% %.3f ms, worst "
                    "%.3f ms per move\n",
                    line->AxisLength, median, p95, worst);
        panel.hide();
        delete line;
    }
}
