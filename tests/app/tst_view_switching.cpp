#include "app/WindowHarness.h"
#include "graphs/GraphTestUtil.h"
#include "graphs/KTSchTimeCount.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "listedit/KScheduleList.h"
#include "model/KMessageCatalog.h"
#include "storage/KScheduleFile.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {
using Harness = WindowHarness;

KScheduleFrame Frame(int h, int dh, const std::u16string &name, uint32_t color = 0xFFFFFF)
{
    return KScheduleFrame(KSchTime::MakeTime(uint8_t(h), 0, 0), KSchTime::MakeTime(uint8_t(dh), 0, 0), name,
                          color, u"");
}

void SixFrames(KDaySchedule &s)
{
    s.ClearFrames();
    for (int i = 0; i < 6; ++i)
        s.AppendFrame(Frame(i * 4, 4, u"F" + std::u16string(1, char16_t(u'0' + i)), 0x2040C0));
}

QWidget *ShownView(const TOrvellaForm &f)
{
    if (f.SchList)
        return f.SchList;
    if (f.SchPie)
        return f.SchPie;
    if (f.SchTimeline)
        return f.SchTimeline;
    return f.SchTimeCount;
}

int ExistingViews(const TOrvellaForm &f)
{
    return (f.SchList ? 1 : 0) + (f.SchPie ? 1 : 0) + (f.SchTimeline ? 1 : 0) + (f.SchTimeCount ? 1 : 0);
}

const char *const ViewActions[] = {"ViewTypeList", "ViewTypePie", "ViewTypeVTimeline", "ViewTypeSchCount"};

// The view type, the one view object, its visibility, the single check mark and the title.
void CheckShown(TOrvellaForm &f, int view, const QString &title)
{
    QCOMPARE(f.ViewType, view);
    QCOMPARE(ExistingViews(f), 1);
    QWidget *shown = ShownView(f);
    const bool right = view == TOrvellaForm::vtList       ? shown == f.SchList
                       : view == TOrvellaForm::vtPie      ? shown == f.SchPie
                       : view == TOrvellaForm::vtTimeline ? shown == f.SchTimeline
                                                          : shown == f.SchTimeCount;
    QVERIFY2(right, qPrintable(QString("view %1 is not the one shown").arg(view)));
    QVERIFY(shown->isVisible());
    for (int v = 0; v < 4; ++v)
        QVERIFY2(f.Action(ViewActions[v])->isChecked() == (v == view),
                 qPrintable(QString("check mark of view %1 while view %2 is shown").arg(v).arg(view)));
    QCOMPARE(f.SchTitleEdit->text(), title);
}

// Scheduling mode entered as the user enters it. Where the window cannot enter the mode yet,
// only the flag is set, so that what the view commands do in the mode is still checked.
void EnterSchedulingMode(TOrvellaForm &f)
{
    f.Action("EditScheduling")->trigger();
    if (!f.SchedulingMode)
        f.SchedulingMode = true;
}
} // namespace

class TestViewSwitching : public QObject {
    Q_OBJECT

private slots:
    void eachViewIsCreatedWithItsSettings()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        SixFrames(f.ShownSchedule);
        const QSize panel = f.SchListPanel->size(); // 750 x 599

        f.SwitchView(TOrvellaForm::vtPie);
        QCOMPARE(ExistingViews(f), 1);
        QVERIFY(f.SchPie);
        QCOMPARE(f.SchPie->Radius(), 599 / 2 - 30);
        QCOMPARE(f.SchPie->geometry().center(), QRect(QPoint(0, 0), panel).center());
        QCOMPARE(f.SchPie->HourLabelCount(), 8);
        QCOMPARE(f.SchPie->TimeMarkStyle(), 2);
        QVERIFY(f.Action("ViewTypePie")->isChecked());
        QVERIFY(f.EnterSkinModeButton->isVisibleTo(&f));
        QVERIFY(f.Action("ViewSkinMode")->isEnabled());
        // The tick put the mark above the dial at 12:00.
        QVERIFY(f.SchPie->TimeMark()->isVisibleTo(&f));
        const QPoint pieCentre =
            f.SchPie->geometry().topLeft() + QPoint(f.SchPie->width() / 2, f.SchPie->height() / 2);
        QVERIFY(qAbs(f.SchPie->TimeMark()->geometry().center().y() -
                     (pieCentre.y() - (f.SchPie->Radius() + 5))) <= 1);
        QVERIFY(qAbs(f.SchPie->TimeMark()->geometry().center().x() - pieCentre.x()) <= 1);

        f.SwitchView(TOrvellaForm::vtTimeline);
        QCOMPARE(ExistingViews(f), 1);
        QVERIFY(f.SchTimeline && !f.SchPie);
        QCOMPARE(f.SchTimeline->geometry(), QRect(2, 10, panel.width() - 32, panel.height() - 40));
        QCOMPARE(f.SchTimeline->AxisLength, panel.height() - 60);
        QCOMPARE(f.SchTimeline->BarWidth, panel.width() - (35 + 20 + 8) - 42);
        QCOMPARE(f.SchTimeline->HourLabelCount(), 9);
        QVERIFY(f.Action("ViewTypeVTimeline")->isChecked());

        f.SwitchView(TOrvellaForm::vtCount);
        QCOMPARE(ExistingViews(f), 1);
        QVERIFY(f.SchTimeCount);
        QCOMPARE(f.SchTimeCount->geometry(), QRect(20, 20, panel.width() - 40, panel.height() - 40));
        QCOMPARE(f.SchTimeCount->ItemCount(), 6);
        QVERIFY(!f.EnterSkinModeButton->isVisibleTo(&f));
        QVERIFY(!f.Action("ViewSkinMode")->isEnabled());
        QVERIFY(f.Action("ViewTypeSchCount")->isChecked());
    }

    void listCursorSurvivesAGraph()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        SixFrames(f.ShownSchedule);
        f.SwitchView(TOrvellaForm::vtList);
        QVERIFY(f.SchList);
        f.SchList->SetCursor(5, 2);
        f.SwitchView(TOrvellaForm::vtPie);
        QVERIFY(!f.SchList);
        QCOMPARE(f.SavedListRow, 5);
        QCOMPARE(f.SavedListCol, 2);
        f.SwitchView(TOrvellaForm::vtList);
        QVERIFY(f.SchList);
        QCOMPARE(f.SchList->CursorRow(), 5);
        QCOMPARE(f.SchList->CursorCol(), 2);

        // With fewer frames than the saved row, the cursor starts again at 1, 1.
        f.SwitchView(TOrvellaForm::vtTimeline);
        f.ShownSchedule.ClearFrames();
        f.ShownSchedule.AppendFrame(Frame(0, 24, u"Free"));
        f.SwitchView(TOrvellaForm::vtList);
        QCOMPARE(f.SavedListRow, 1);
        QCOMPARE(f.SavedListCol, 1);
    }

    // The View menu's actions and the five view buttons, used as the user uses them.
    void viewCommandsShowTheViewTheMarksAndTheTitle()
    {
        Harness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        SixFrames(f.ShownSchedule);
        f.SchTitle = "平日";
        f.show();
        QToolButton *buttons[] = {f.SchListViewButton, f.SchPieViewButton, f.SchTimelineViewButton,
                                  f.SchCountViewButton};
        // Visit the views in an order that leaves each from a different one.
        for (int view : {1, 2, 3, 0, 2, 0, 3, 1, 0}) {
            QTest::mouseClick(buttons[view], Qt::LeftButton);
            CheckShown(f, view, "平日");
        }
        for (int view : {3, 2, 1, 0}) {
            f.Action(ViewActions[view])->trigger();
            CheckShown(f, view, "平日");
        }
        QVERIFY(h.prompter.History.empty());
    }

    // In scheduling mode the pie and the timeline show the working copy, while the list that
    // holds it waits hidden; the count is refused with message 28 and its check mark goes back.
    void schedulingModeShowsGraphsAndRefusesTheCount()
    {
        Harness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        SixFrames(f.ShownSchedule);
        f.SchTitle = "平日";
        f.show();
        QTest::mouseClick(f.SchListViewButton, Qt::LeftButton);
        EnterSchedulingMode(f);
        QVERIFY(f.SchedulingMode);
        const KScheduleList *list = f.SchList;
        size_t shown = h.prompter.History.size();
        QTest::mouseClick(f.SchCountViewButton, Qt::LeftButton);
        f.Action(ViewActions[TOrvellaForm::vtCount])->trigger();
        shown += 2;
        QCOMPARE(h.prompter.History.size(), shown);
        QCOMPARE(h.prompter.History.back().Text,
                 KMessageCatalog::Text(KMessageCatalog::ViewSwitchRefused, 0));
        CheckShown(f, TOrvellaForm::vtList, "平日");

        QTest::mouseClick(f.SchPieViewButton, Qt::LeftButton);
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtPie));
        QVERIFY(f.SchPie && f.SchPie->Schedule() == f.EditSchedule);
        QVERIFY(f.SchList == list && f.SchList->isHidden());
        QVERIFY(f.Action(ViewActions[TOrvellaForm::vtPie])->isChecked());
        f.Action(ViewActions[TOrvellaForm::vtTimeline])->trigger();
        QVERIFY(!f.SchPie && f.SchTimeline && f.SchTimeline->Schedule() == f.EditSchedule);
        QVERIFY(f.SchList == list && f.SchList->isHidden());
        QTest::mouseClick(f.SchListViewButton, Qt::LeftButton);
        CheckShown(f, TOrvellaForm::vtList, "平日");
        QVERIFY(f.SchList == list); // the same list, with the same working copy
        QVERIFY(f.SchedulingMode);
        QCOMPARE(h.prompter.History.size(), shown);
    }

    void optionsReachTheShownGraph()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.SwitchView(TOrvellaForm::vtPie);
        f.SetOneHourGScale(true);
        QCOMPARE(f.SchPie->HourLabelCount(), 24);
        QVERIFY(f.Action("ViewOneHourGScale")->isChecked());
        f.SetCurTimeMark(false);
        QVERIFY(f.SchPie->TimeMark() == nullptr);
        QVERIFY(!f.Action("OptCTimeMark")->isChecked());
        f.SetCurTimeMark(true);
        f.ClockTick();
        QVERIFY(f.SchPie->TimeMark() && f.SchPie->TimeMark()->isVisibleTo(&f));

        // Set in another view, the option is taken by the next timeline.
        f.SwitchView(TOrvellaForm::vtCount);
        f.SetOneHourGScale(false);
        f.SwitchView(TOrvellaForm::vtTimeline);
        QCOMPARE(f.SchTimeline->HourLabelCount(), 9);
        f.SetStartWithLastView(true);
        QVERIFY(f.Action("ViewStartWithLastView")->isChecked());
    }

    void weekCountReadsEveryDayFile()
    {
        Harness h;
        TOrvellaForm &f = *h.form;
        f.SchTitle = "平日";
        f.show();
        f.SwitchView(TOrvellaForm::vtPie);
        const size_t shown = h.prompter.History.size();
        QTest::mouseClick(f.WeekSchCountViewButton,
                          Qt::LeftButton); // no week file: message 17, nothing changes
        QCOMPARE(h.prompter.History.size(), shown + 1);
        QCOMPARE(h.prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::NoWeekFile, 0));
        CheckShown(f, TOrvellaForm::vtPie, "平日");

        KDaySchedule day;
        day.AppendFrame(Frame(0, 24, u"Free"));
        h.files.Files[u"/w/day.ors"] = KScheduleFile::BuildImage(day, u"day");
        f.WeekSchFileName = "/w/week.orw";
        for (int d = 0; d < 7; ++d)
            f.WeekConfig.DayFiles[size_t(d)] = u"/w/day.ors";
        f.Action("ViewTypeWeekSchCount")->trigger();
        QCOMPARE(f.ViewType, int(TOrvellaForm::vtWeekCount));
        QVERIFY(f.SchTimeCount && !f.SchPie);
        QCOMPARE(f.SchTitleEdit->text(), QString("週間スケジュール集計"));
        QCOMPARE(f.SchTimeCount->ItemCount(), 1);
        QCOMPARE(f.SchTimeCount->LastBars()[0].TimeText, QString("168:00"));

        // Day files without frames: message 25 and an empty count view.
        for (int d = 0; d < 7; ++d)
            f.WeekConfig.DayFiles[size_t(d)] = u"/w/missing.ors";
        f.SwitchView(TOrvellaForm::vtWeekCount);
        QCOMPARE(h.prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::NoValidDayFile, 0));
        QVERIFY(f.SchTimeCount);
        QVERIFY(f.SchTimeCount->LastBars().empty());

        // Back to the day: its own title again.
        QTest::mouseClick(f.SchListViewButton, Qt::LeftButton);
        CheckShown(f, TOrvellaForm::vtList, "平日");
    }

    // Every view inside the window, drawn where the window shows it; with ORVELLA_SCREENSHOT_DIR
    // set the window is saved as PNG files.
    void viewsInTheWindow()
    {
        Harness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        KDaySchedule &s = f.ShownSchedule;
        s.ClearFrames();
        const uint32_t colors[] = {0x602000, 0xFFC080, 0x3060FF, 0x00D0FF,
                                   0x40A040, 0x0000A0, 0xE0E0E0, 0xC040C0};
        const char16_t *names[] = {u"睡眠", u"朝食", u"仕事", u"昼食", u"Work", u"Dinner", u"自由", u"Bath"};
        const int starts[] = {0, 7, 8, 12, 13, 18, 19, 22, 24};
        for (int i = 0; i < 8; ++i)
            s.AppendFrame(Frame(starts[i], starts[i + 1] - starts[i], names[i], colors[i]));
        f.show();
        const QByteArray dir = qgetenv("ORVELLA_SCREENSHOT_DIR");
        const char *files[] = {"window_list.png", "window_pie.png", "window_timeline.png",
                               "window_count.png"};
        for (int view = 0; view <= 3; ++view) {
            f.SwitchView(view);
            QCOMPARE(f.ViewType, view);
            QCOMPARE(ExistingViews(f), 1);
            QWidget *shown = ShownView(f);
            QVERIFY(shown);
            QVERIFY(shown->isVisible());
            QCOMPARE(shown->parentWidget(), static_cast<QWidget *>(f.SchListPanel));
            QVERIFY(QRect(QPoint(0, 0), f.SchListPanel->size()).contains(shown->geometry().center()));
            QCoreApplication::processEvents();
            const QImage shot = f.grab().toImage();
            QVERIFY(!shot.isNull());
            if (!dir.isEmpty())
                shot.save(QString::fromLocal8Bit(dir) + "/" + files[view]);
            // The frames' colours reach the screen inside the view's area.
            const QRect area(shown->mapTo(&f, QPoint(0, 0)), shown->size());
            const qreal dpr = shot.devicePixelRatio();
            const QRect pixels(area.topLeft() * dpr, area.size() * dpr);
            for (uint32_t c : {0x3060FFu, 0x40A040u, 0xC040C0u})
                QVERIFY2(GraphTest::CountNear(shot, pixels, c, 8) > 20,
                         qPrintable(QString("view %1, colour %2").arg(view).arg(c, 6, 16, QChar('0'))));
        }
    }
};

QTEST_MAIN(TestViewSwitching)
#include "tst_view_switching.moc"
