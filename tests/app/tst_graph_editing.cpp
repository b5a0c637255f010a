// Planning by dragging on the big pie and timeline, driven through the real widgets with
// QTest mouse and key events: a drag reaches the grid and undo, Escape puts everything back,
// leaving the mode checks as from the grid and returns to the view shown before, and a double
// click opens the frame in the grid.
#include "ModalAnswer.h"
#include "app/WindowHarness.h"
#include "graphs/KTGraphDragEditor.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/core/KDragSession.h"
#include "listedit/KScheduleList.h"
#include "listedit/TKSchConfSimpleDialog.h"
#include "model/KMessageCatalog.h"
#include "platform/qt/KQtText.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <numbers>

namespace {
struct Window : WindowHarness {
    Window() : WindowHarness(QSize(1024, 768), false)
    {
        // Sleep 00:00-07:00, work 07:00-17:00, evening 17:00-24:00.
        KDaySchedule &s = form->ShownSchedule;
        s.ClearFrames();
        s.AppendFrame(KScheduleFrame({0, 0, 0}, {7, 0, 0}, u"睡眠", 0xFFCC99, u""));
        s.AppendFrame(KScheduleFrame({7, 0, 0}, {10, 0, 0}, u"仕事", 0x99CCFF, u""));
        s.AppendFrame(KScheduleFrame({17, 0, 0}, {7, 0, 0}, u"夜", 0xCCFFCC, u""));
        form->SwitchView(TOrvellaForm::vtList);
        form->show();
        form->activateWindow();
        Active = QTest::qWaitForWindowActive(form.get());
    }
    bool Active = false;
};

QString Times(const KDaySchedule &s)
{
    QStringList out;
    for (int i = 0; i < s.GetCount(); ++i)
        out << Q(KDragSession::TimesText(s.GetFrame(i)->StartTime, s.GetFrame(i)->Duration, 0));
    return out.join(", ");
}

// The point of the timeline whose time is nearest to from's time plus minutes: the drag's
// travel is then exact to the nearest minute, whatever the scale in pixels.
QPoint Along(KTScheduleTimeline *t, QPoint from, int minutes)
{
    QPoint best = from;
    for (int y = 0; y < t->height(); ++y) {
        const QPoint p(from.x(), y);
        if (std::abs(t->SecondsAt(p) - t->SecondsAt(from) - minutes * 60) <
            std::abs(t->SecondsAt(best) - t->SecondsAt(from) - minutes * 60))
            best = p;
    }
    return best;
}

QPoint TimelineAt(KTScheduleTimeline *t, int minutes)
{
    const int y = int(std::lround(t->Origin.y() + t->AxisLength * minutes / 1440.0));
    return QPoint(t->BlocksLeft() + t->BarWidth - 10, y);
}

QPoint PieAt(KTSchedulePie *p, double minutes, double r)
{
    const double theta = (minutes / 4.0 + 270.0) * std::numbers::pi / 180.0;
    return p->Centre() +
           QPoint(int(std::lround(-r * std::cos(theta))), int(std::lround(-r * std::sin(theta))));
}

// The point at distance r from the pie's centre whose time is nearest to from's time plus minutes.
QPoint PieAlong(KTSchedulePie *p, QPoint from, double minutes, double r)
{
    const int want = p->SecondsAt(from) + int(minutes * 60);
    QPoint best = from;
    int error = 1 << 30;
    for (double m = minutes - 10; m <= minutes + 10; m += 0.05) {
        const QPoint q = PieAt(p, p->SecondsAt(from) / 60.0 + m, r);
        const int e = std::abs((p->SecondsAt(q) - want + 86400 + 43200) % 86400 - 43200);
        if (e < error) {
            error = e;
            best = q;
        }
    }
    return best;
}

// The pointer resting on the view without a button held.
void Hover(QWidget *w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void Shot(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("ORVELLA_SHOT_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + "/" + name + ".png");
}

const QString Original = "00:00～07:00 (7:00), 07:00～17:00 (10:00), 17:00～00:00 (7:00)";
} // namespace

class TestGraphEditing : public QObject {
    Q_OBJECT

private slots:
    void dragOnTheTimelineReachesTheGridAndUndo();
    void escapePutsADragBackAndLeavingReturnsToThePie();
    void doubleClickOpensTheFrameInTheGrid();
};

void TestGraphEditing::dragOnTheTimelineReachesTheGridAndUndo()
{
    Window w;
    TOrvellaForm &f = *w.form;
    f.Action("EditScheduling")->trigger();
    QVERIFY(f.SchedulingMode);
    QTest::mouseClick(f.SchTimelineViewButton, Qt::LeftButton);
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtTimeline));
    QVERIFY(w.prompter.History.empty()); // no longer refused
    KTScheduleTimeline *t = f.SchTimeline;
    QCOMPARE(t->Schedule(), f.EditSchedule);
    KTGraphDragEditor *editor = t->DragEditor();
    const int draws = t->DrawCount();

    // The boundary at 07:00 to 08:30: the first frame ends and the second begins there.
    const QPoint at7 = TimelineAt(t, 420);
    Hover(t, at7);
    QCOMPARE(t->cursor().shape(), Qt::SizeVerCursor);
    QTest::mousePress(t, Qt::LeftButton, {}, at7);
    QVERIFY(editor->Dragging());
    QTest::mouseMove(t, Along(t, at7, 40));
    const QPoint to = Along(t, at7, 91);
    QTest::mouseMove(t, to);
    QCOMPARE(editor->DragText(), QString("00:00～08:30 (8:30)\n08:30～17:00 (8:30)"));
    Shot(&f, "timeline-dragging");
    QTest::mouseRelease(t, Qt::LeftButton, {}, to);
    QVERIFY(!editor->Dragging());
    QCOMPARE(Times(*f.EditSchedule),
             QString("00:00～08:30 (8:30), 08:30～17:00 (8:30), 17:00～00:00 (7:00)"));
    QCOMPARE(Times(f.ShownSchedule), Original);
    QVERIFY(f.SchModified);
    QCOMPARE(f.OpeLog->UndoCount(), 1);
    // Only the frames' picture was painted again while dragging.
    QCOMPARE(t->DrawCount(), draws);
    QVERIFY(t->RepaintCount() >= 2);

    // The grid shows it, with the dragged frame's row selected; one undo takes it all back.
    QTest::mouseClick(f.SchListViewButton, Qt::LeftButton);
    KScheduleList *l = f.SchList;
    QCOMPARE(l->CellText(1, KScheduleList::ColEnd), QString("08:30"));
    QCOMPARE(l->CellText(2, KScheduleList::ColStart), QString("08:30"));
    QCOMPARE(l->CellText(2, KScheduleList::ColTime), QString("08:30"));
    QCOMPARE(l->CursorRow(), 2);
    QTest::keyClick(l, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Times(*f.EditSchedule), Original);
    QCOMPARE(l->CellText(1, KScheduleList::ColEnd), QString("07:00"));

    // The first start alone, down an hour: a gap that the check on leaving finds. The faults
    // are shown in the grid; adjusting keeps the mode on.
    QTest::mouseClick(f.SchTimelineViewButton, Qt::LeftButton);
    t = f.SchTimeline;
    const QPoint top = TimelineAt(t, 0);
    QTest::mousePress(t, Qt::LeftButton, {}, top);
    QTest::mouseMove(t, Along(t, top, 60), 10);
    QTest::mouseRelease(t, Qt::LeftButton, {}, Along(t, top, 60));
    QCOMPARE(Times(*f.EditSchedule), "01:00～07:00 (6:00), 07:00～17:00 (10:00), 17:00～00:00 (7:00)");
    int viewDuringCheck = -1;
    {
        ModalAnswer adjust([&](QDialog *d) {
            viewDuringCheck = f.ViewType;
            auto *check = dynamic_cast<TKSchConfSimpleDialog *>(d);
            QVERIFY(check);
            check->RadioButtonMAN->setChecked(true);
            QTest::mouseClick(check->ButtonOK, Qt::LeftButton);
        });
        QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
        QVERIFY(adjust.Seen());
    }
    QCOMPARE(viewDuringCheck, int(TOrvellaForm::vtList));
    QVERIFY(f.SchedulingMode);
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
    QTest::keyClick(f.SchList, Qt::Key_Z, Qt::ControlModifier);
    QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(Times(f.ShownSchedule), Original);
}

void TestGraphEditing::escapePutsADragBackAndLeavingReturnsToThePie()
{
    Window w;
    TOrvellaForm &f = *w.form;
    f.SwitchView(TOrvellaForm::vtPie);
    f.Action("EditScheduling")->trigger(); // from the pie: the grid first
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
    QTest::mouseClick(f.SchPieViewButton, Qt::LeftButton);
    KTSchedulePie *pie = f.SchPie;
    QCOMPARE(pie->Schedule(), f.EditSchedule);
    QVERIFY(!f.EnterSkinModeButton->isVisible());

    // The work frame's body from noon to 14:00 moves it, its neighbours following...
    const double r = pie->Radius() / 2.0;
    const QPoint noon = PieAt(pie, 720, r);
    Hover(pie, noon);
    QCOMPARE(pie->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(pie, Qt::LeftButton, {}, noon);
    QTest::mouseMove(pie, PieAlong(pie, noon, 60, r));
    QTest::mouseMove(pie, PieAlong(pie, noon, 120, r));
    QCOMPARE(Times(*f.EditSchedule), "00:00～09:00 (9:00), 09:00～19:00 (10:00), 19:00～00:00 (5:00)");
    QCOMPARE(pie->cursor().shape(), Qt::ClosedHandCursor);
    // ...and Escape puts everything back: nothing changed, nothing logged.
    QTest::keyClick(pie, Qt::Key_Escape);
    QVERIFY(!pie->DragEditor()->Dragging());
    QCOMPARE(Times(*f.EditSchedule), Original);
    QTest::mouseMove(pie, PieAt(pie, 900, r));
    QTest::mouseRelease(pie, Qt::LeftButton, {}, PieAt(pie, 900, r));
    QCOMPARE(Times(*f.EditSchedule), Original);
    QVERIFY(!f.SchModified);
    QCOMPARE(f.OpeLog->UndoCount(), 0);

    // The count is still refused in the mode.
    QTest::mouseClick(f.SchCountViewButton, Qt::LeftButton);
    QCOMPARE(w.prompter.History.size(), size_t(1));
    QCOMPARE(w.prompter.History.back().Text, KMessageCatalog::Text(KMessageCatalog::ViewSwitchRefused, 0));
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtPie));

    // Leaving from the pie ends the mode there: the shown schedule again, read-only.
    QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtPie));
    QCOMPARE(f.SchPie->Schedule(), &f.ShownSchedule);
    QVERIFY(!f.SchPie->DragEditor()->EditCore());
    QTest::mousePress(f.SchPie, Qt::LeftButton, {}, PieAt(f.SchPie, 720, r));
    QVERIFY(!f.SchPie->DragEditor()->Dragging());
    QTest::mouseRelease(f.SchPie, Qt::LeftButton, {}, PieAt(f.SchPie, 720, r));
}

void TestGraphEditing::doubleClickOpensTheFrameInTheGrid()
{
    Window w;
    TOrvellaForm &f = *w.form;
    // Outside the mode: the mode begins on the frame's row.
    f.SwitchView(TOrvellaForm::vtPie);
    QTest::mouseDClick(f.SchPie, Qt::LeftButton, {}, PieAt(f.SchPie, 1200, f.SchPie->Radius() / 2.0));
    QTRY_VERIFY(f.SchedulingMode);
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtList));
    QCOMPARE(f.SchList->CursorRow(), 3);

    // In the mode: the frame's Item cell in edit.
    QTest::mouseClick(f.SchTimelineViewButton, Qt::LeftButton);
    KTScheduleTimeline *t = f.SchTimeline;
    QTest::mouseDClick(t, Qt::LeftButton, {}, TimelineAt(t, 600));
    QTRY_COMPARE(f.ViewType, int(TOrvellaForm::vtList));
    QCOMPARE(f.SchList->CursorRow(), 2);
    QCOMPARE(f.SchList->CursorCol(), int(KScheduleList::ColItem));
    QVERIFY(f.SchList->TextEditPending());
    QCOMPARE(Times(*f.EditSchedule), Original); // the double click moved nothing
    // Leaving returns to the pie, where the mode was begun.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::mouseClick(f.ExitEditSchButton, Qt::LeftButton);
    QVERIFY(!f.SchedulingMode);
    QCOMPARE(f.ViewType, int(TOrvellaForm::vtPie));
}

QTEST_MAIN(TestGraphEditing)
#include "tst_graph_editing.moc"
