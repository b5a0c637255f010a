#include "bench_scheduling.h"

#include "app/TOrvellaForm.h"
#include "listedit/KScheduleList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// 50 frames that fill the day: 49 of 29 minutes and one of 19.
void FillFiftyFrames(KDaySchedule &s)
{
    s.ClearFrames();
    KSchTime start;
    for (int i = 0; i < 50; ++i) {
        const KSchTime duration = KSchTime::MakeTime(0, i < 49 ? 29 : 19, 0);
        s.AppendFrame(KScheduleFrame(start, duration, i % 2 ? u"仕事" : u"休憩", 0xFFFFFF, u""));
        start = AddTimes(start, duration);
    }
}
} // namespace

void RunSchedulingBenchmarks(const KPlatform &platform)
{
    TOrvellaForm window(platform, QSize(1024, 768));
    window.Timer1->stop();
    FillFiftyFrames(window.ShownSchedule);
    window.SwitchView(TOrvellaForm::vtList);
    window.EnterSchedulingMode();
    QApplication::processEvents();
    KScheduleList *list = window.SchList;

    // One cell edit: the commit of a typed item name, the rows rewritten and repainted.
    const int edits = 200;
    std::vector<double> edit;
    QElapsedTimer t;
    for (int i = 0; i < edits; ++i) {
        const int row = 1 + i % 50;
        t.start();
        list->CommitEditorText(row, KScheduleList::ColItem,
                               i % 2 ? QStringLiteral("散歩") : QStringLiteral("勉強"));
        QApplication::processEvents();
        edit.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("scheduling, one cell edit (50 frames):       median %.3f ms, max %.3f ms over %d edits\n",
                Median(edit), *std::max_element(edit.begin(), edit.end()), edits);

    // Leaving the mode after a change: the check, the copy back, the side panel and the rows.
    const int runs = 30;
    std::vector<double> leave, repaint;
    for (int i = 0; i < runs; ++i) {
        list->CommitEditorText(1, KScheduleList::ColMemo, QString::number(i));
        QApplication::processEvents();
        t.start();
        window.ExitSchedulingMode();
        leave.push_back(double(t.nsecsElapsed()) / 1e6);
        t.start();
        QApplication::processEvents();
        repaint.push_back(double(t.nsecsElapsed()) / 1e6);
        if (window.SchedulingMode || window.ShownSchedule.GetCount() != 50)
            std::printf("scheduling: leaving did not apply the schedule\n");
        window.EnterSchedulingMode();
        QApplication::processEvents();
    }
    std::printf("scheduling, leaving the mode (50 frames):    median %.3f ms, max %.3f ms over %d runs\n",
                Median(leave), *std::max_element(leave.begin(), leave.end()), runs);
    std::printf("scheduling, repaint of the window after it:  median %.3f ms\n", Median(repaint));
}
