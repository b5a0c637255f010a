#include "app/dialogs/TKClock.h"
#include "graphs/TKCurSchView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KTMemoPanel.h"
#include "listedit/KTTimeVIndicator.h"
#include "listedit/KToptionPanel_I.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

namespace {
KScheduleFrame Frame(int h, int m, int dh, int dm, const char16_t *item, uint32_t color,
                     const char16_t *memo = u"")
{
    return KScheduleFrame(KSchTime::MakeTime(uint8_t(h), uint8_t(m), 0),
                          KSchTime::MakeTime(uint8_t(dh), uint8_t(dm), 0), item, color, memo);
}

// A list set up the way the main window sets it up, in a host of the given size.
struct ListInHost {
    QWidget host;
    KScheduleList *list = nullptr;
    ListInHost(KDaySchedule *schedule, int w = 750, int h = 550, int markOption = 2)
    {
        host.resize(w, h);
        list = new KScheduleList(&host);
        list->hide();
        list->SetParent(&host);
        list->SetupColumns(KScheduleList::RowCountFor(schedule->GetCount(), h));
        list->move(0, 0);
        list->SetHeight(h);
        list->SetWidth(w);
        list->SetFontSize(9);
        list->SetTabNavigation(true);
        list->SetMemoPanelTrigger(1);
        list->SetMemoPanelEnabled(true);
        list->SetTimeMarkSize(13);
        list->SetTimeMarkOffset(22);
        list->SetTimeMarkOption(markOption);
        list->SetShowTotalTime(true);
        list->SetSchedule(schedule);
        list->RefreshRows(false);
        list->show();
        host.show();
    }
};

QColor PixelAt(QWidget *w, QPoint p)
{
    return w->grab().toImage().pixelColor(p);
}
} // namespace

class TestScheduleList : public QObject {
    Q_OBJECT

private slots:
    void rowsAndCellsOfThreeFrames();
    void sizingRules();
    void cellPainting();
    void longTextStartsAtTheLeft();
    void markFollowsTheFrame();
    void markHidesWhenScrolledAway();
    void tickRepaintsOnlyTheMark();
    void tabStaysOnFrameRows();
    void longTextPanel();
    void totalTimeInSchedulingMode();
    void contextMenu();
    void screenshot();
};

void TestScheduleList::rowsAndCellsOfThreeFrames()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 30, u"仕事", 0x0000FF, u"会議"));
    s.AppendFrame(Frame(22, 0, 4, 0, u"就寝", 0xC0C0C0));
    s.AppendFrame(Frame(0, 0, 24, 0, u"自由", 0xFFFFFF));
    ListInHost h(&s);
    KScheduleList *l = h.list;

    QCOMPARE(l->RowCount(), 23); // 550 / 24 + 1, not frame count + 1
    const QStringList titles = {"色", "開始時刻", "項目", "終了時刻", "時間", " メモ"};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(l->CellText(0, c), titles[c]);

    QCOMPARE(l->CellText(1, 0), QString());
    QCOMPARE(l->CellText(1, 1), QString("08:00"));
    QCOMPARE(l->CellText(1, 2), QString("仕事"));
    QCOMPARE(l->CellText(1, 3), QString("09:30"));
    QCOMPARE(l->CellText(1, 4), QString("01:30"));
    QCOMPARE(l->CellText(1, 5), QString("会議"));
    // Across midnight: the end is reduced to the clock, the duration is not.
    QCOMPARE(l->CellText(2, 1), QString("22:00"));
    QCOMPARE(l->CellText(2, 3), QString("02:00"));
    QCOMPARE(l->CellText(2, 4), QString("04:00"));
    // A whole day ends where it starts and lasts 24:00.
    QCOMPARE(l->CellText(3, 1), QString("00:00"));
    QCOMPARE(l->CellText(3, 3), QString("00:00"));
    QCOMPARE(l->CellText(3, 4), QString("24:00"));
    for (int c = 0; c < 6; ++c)
        QCOMPARE(l->CellText(4, c), QString());

    // A changed schedule rewrites the cells; a shorter one blanks the rows left over.
    s.DeleteFrame(0);
    l->RefreshRows(false);
    QCOMPARE(l->CellText(1, 2), QString("就寝"));
    QCOMPARE(l->CellText(3, 2), QString());
    QCOMPARE(l->CellText(0, 4), QString("時間"));
}

void TestScheduleList::sizingRules()
{
    QCOMPARE(KScheduleList::RowCountFor(3, 550), 23);
    QCOMPARE(KScheduleList::RowCountFor(40, 550), 41);
    KDaySchedule s;
    s.AppendFrame(Frame(0, 0, 24, 0, u"自由", 0xFFFFFF));
    ListInHost h(&s, 750, 550);
    KScheduleList *l = h.list;
    QCOMPARE(l->height(), 550);
    QCOMPARE(l->columnWidth(0), 24);
    QCOMPARE(l->columnWidth(1), 70);
    QCOMPARE(l->columnWidth(2), 120);
    QCOMPARE(l->columnWidth(3), 70);
    QCOMPARE(l->columnWidth(4), 60);
    QCOMPARE(l->columnWidth(5), 750 - 344 - 6);
    QCOMPARE(l->rowHeight(0), 24);
    l->SetWidth(200); // raised to 380, Memo kept at 100
    QCOMPARE(l->width(), 380);
    QCOMPARE(l->columnWidth(5), 100);
    // Never taller than its rows.
    l->SetHeight(2000);
    QCOMPARE(l->height(), 23 * 24);
}

void TestScheduleList::cellPainting()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 0, u"A", 0x0000FF)); // red
    s.AppendFrame(Frame(9, 0, 1, 0, u"B", 0x00FF00));
    ListInHost h(&s, 600, 300, 0);
    KScheduleList *l = h.list;
    l->SetCursor(1, 2);
    QImage img = l->grab().toImage();
    const QRect swatch = l->CellRect(1, 0);
    QCOMPARE(img.pixelColor(swatch.center()), QColor(255, 0, 0));
    QCOMPARE(img.pixelColor(swatch.topLeft()), QColor(Qt::white)); // the white border
    const QRect current = l->CellRect(1, 2);
    QCOMPARE(img.pixelColor(current.topLeft() + QPoint(0, 12)), QColor(Qt::black));
    QCOMPARE(img.pixelColor(current.topLeft() + QPoint(3, 3)), QColor(150, 200, 255));
    QCOMPARE(img.pixelColor(l->CellRect(2, 2).topLeft() + QPoint(3, 3)), QColor(Qt::white));
    const QColor face = QApplication::palette().color(QPalette::Button);
    QCOMPARE(img.pixelColor(l->CellRect(3, 2).topLeft() + QPoint(3, 3)), face); // blank row
    QCOMPARE(img.pixelColor(l->CellRect(0, 2).topLeft() + QPoint(3, 3)), face); // title row
    // The swatch of the current row keeps its colour.
    l->SetCursor(2, 0);
    QCOMPARE(PixelAt(l, l->CellRect(2, 0).center()), QColor(0, 255, 0));
}

void TestScheduleList::longTextStartsAtTheLeft()
{
    // A text that fits its cell is centred; a longer one starts at the cell's left edge, as
    // a memo always does, so that its beginning shows.
    const char16_t *longText = u"An item name far longer than its column is wide";
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 0, u"A", 0xFFFFFF));
    s.AppendFrame(Frame(9, 0, 1, 0, longText, 0xFFFFFF, longText));
    ListInHost h(&s, 600, 300, 0);
    KScheduleList *l = h.list;
    l->SetCursor(3, 1); // a blank row: both frame rows in their plain colours
    const QImage img = l->grab().toImage();
    // The first pixel column from the left that holds ink of the text.
    auto firstInk = [&](QRect cell) {
        cell.adjust(1, 1, -1, -1); // inside the grid lines
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (img.pixelColor(x, y).lightness() < 128)
                    return x - cell.left();
        return -1;
    };
    const int column = l->columnWidth(KScheduleList::ColItem);
    const int shortInk = firstInk(l->CellRect(1, KScheduleList::ColItem));
    QVERIFY2(shortInk > column / 3, qPrintable(QString::number(shortInk)));
    // The long item's first 40 pixel columns look as the same text's in the memo column.
    const QRect item = l->CellRect(2, KScheduleList::ColItem).adjusted(1, 1, 0, -1);
    const QRect memo = l->CellRect(2, KScheduleList::ColMemo).adjusted(1, 1, 0, -1);
    const QImage itemStart = img.copy(QRect(item.topLeft(), QSize(40, item.height())));
    const QImage memoStart = img.copy(QRect(memo.topLeft(), QSize(40, memo.height())));
    QVERIFY(firstInk(memo) >= 0);
    QCOMPARE(itemStart, memoStart);
}

void TestScheduleList::markFollowsTheFrame()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 30, u"仕事", 0x0000FF));
    s.AppendFrame(Frame(23, 0, 2, 0, u"就寝", 0xC0C0C0));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    KTTimeVIndicator *mark = l->TimeMark();
    QVERIFY(mark);
    QCOMPARE(mark->MarkWidth(), 13);
    QCOMPARE(mark->MarkColor(), 0xFF00FFu);

    // The first tick before any frame is known shows nothing.
    l->UpdateTimeMark(KSchTime::MakeTime(8, 0, 0));
    QVERIFY(!mark->isVisible());

    l->SetCurrentFrame(0);
    const QRect band = l->CellRect(1, 0).translated(-l->viewport()->geometry().topLeft());
    const double perMinute = band.height() / 90.0;
    auto expected = [&](double minutes) { return int(std::trunc(band.top() + minutes * perMinute - 6.5)); };
    l->UpdateTimeMark(KSchTime::MakeTime(8, 0, 0));
    QVERIFY(mark->isVisible());
    QCOMPARE(mark->x(), band.left() + 22);
    QCOMPARE(mark->y(), expected(0));
    l->UpdateTimeMark(KSchTime::MakeTime(8, 45, 0));
    QCOMPARE(mark->y(), expected(45));
    l->UpdateTimeMark(KSchTime::MakeTime(9, 30, 0));
    QCOMPARE(mark->y(), expected(90));

    // Across midnight: band 23:00 to 25:00.
    l->SetCurrentFrame(1);
    const QRect band2 = l->CellRect(2, 0).translated(-l->viewport()->geometry().topLeft());
    l->UpdateTimeMark(KSchTime::MakeTime(0, 30, 0));
    QCOMPARE(mark->y(), int(std::trunc(band2.top() + 90 * band2.height() / 120.0 - 6.5)));

    // No frame holds the time: the mark hides.
    l->SetCurrentFrame(s.Capacity());
    l->UpdateTimeMark(KSchTime::MakeTime(12, 0, 0));
    QVERIFY(!mark->isVisible());

    // Option off removes the mark, on again makes a new one.
    l->SetTimeMarkOption(0);
    QVERIFY(!l->TimeMark());
    l->SetTimeMarkOption(2);
    QVERIFY(l->TimeMark());
}

void TestScheduleList::markHidesWhenScrolledAway()
{
    KDaySchedule s;
    for (int i = 0; i < 20; ++i)
        s.AppendFrame(Frame(i, 0, 1, 0, u"X", 0xFFFFFF));
    ListInHost h(&s, 600, 24 * 6);
    KScheduleList *l = h.list;
    QCOMPARE(l->RowCount(), 21);
    l->SetCurrentFrame(0);
    l->UpdateTimeMark(KSchTime::MakeTime(0, 30, 0));
    QVERIFY(l->TimeMark()->isVisible());
    l->SetCursor(20, 1); // scrolls the first rows away
    QVERIFY(l->verticalScrollBar()->value() > 0);
    l->UpdateTimeMark(KSchTime::MakeTime(0, 31, 0));
    QVERIFY(!l->TimeMark()->isVisible());
    l->SetCursor(1, 1);
    l->UpdateTimeMark(KSchTime::MakeTime(0, 32, 0));
    QVERIFY(l->TimeMark()->isVisible());
    const int bandHeight = l->CellRect(1, 0).height();
    QCOMPARE(l->TimeMark()->y(), int(std::trunc(32 * bandHeight / 60.0 - 6.5)));
}

namespace {
class PaintSpy : public QObject {
public:
    QRegion painted;
    int count = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(e)->region();
            ++count;
        }
        return false;
    }
};
} // namespace

void TestScheduleList::tickRepaintsOnlyTheMark()
{
    KDaySchedule s;
    s.AppendFrame(Frame(0, 0, 24, 0, u"自由", 0xFFFFFF));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    QVERIFY(QTest::qWaitForWindowExposed(&h.host));
    l->SetCurrentFrame(0);
    l->UpdateTimeMark(KSchTime::MakeTime(6, 0, 0));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    PaintSpy spy;
    l->viewport()->installEventFilter(&spy);
    const QRect before = l->TimeMark()->geometry();
    const QString textBefore = l->CellText(1, 2);
    l->SetCurrentFrame(0); // same frame: nothing to do
    l->UpdateTimeMark(KSchTime::MakeTime(18, 0, 0));
    const QRect after = l->TimeMark()->geometry();
    QVERIFY(after.top() > before.top());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QRect limit = before.united(after);
    QVERIFY(spy.count > 0); // the old place of the mark is painted again
    QVERIFY2(limit.contains(spy.painted.boundingRect()),
             qPrintable(QString("painted %1,%2 %3x%4")
                            .arg(spy.painted.boundingRect().x())
                            .arg(spy.painted.boundingRect().y())
                            .arg(spy.painted.boundingRect().width())
                            .arg(spy.painted.boundingRect().height())));
    QCOMPARE(l->CellText(1, 2), textBefore);
    // The same second again changes nothing at all.
    spy.painted = QRegion();
    l->UpdateTimeMark(KSchTime::MakeTime(18, 0, 0));
    QCoreApplication::processEvents();
    QVERIFY(spy.painted.isEmpty());
}

void TestScheduleList::tabStaysOnFrameRows()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 0, u"A", 0xFFFFFF));
    s.AppendFrame(Frame(9, 0, 1, 0, u"B", 0xFFFFFF));
    s.AppendFrame(Frame(10, 0, 1, 0, u"C", 0xFFFFFF));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    l->setFocus();
    l->SetCursor(1, 4);
    QTest::keyClick(l, Qt::Key_Tab);
    QCOMPARE(l->CursorCol(), 5);
    QTest::keyClick(l, Qt::Key_Tab);
    QCOMPARE(l->CursorRow(), 2);
    QCOMPARE(l->CursorCol(), 0);
    l->SetCursor(3, 5);
    QTest::keyClick(l, Qt::Key_Tab);
    QCOMPARE(l->CursorRow(), 1);
    QCOMPARE(l->CursorCol(), 0);
    QTest::keyClick(l, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(l->CursorRow(), 3);
    QCOMPARE(l->CursorCol(), 5);
    l->SetCursor(7, 2); // a blank row
    QTest::keyClick(l, Qt::Key_Tab);
    QCOMPARE(l->CursorRow(), 1);
    QCOMPARE(l->CursorCol(), 0);
    // Arrow keys still reach every row.
    l->SetCursor(3, 1);
    QTest::keyClick(l, Qt::Key_Down);
    QCOMPARE(l->CursorRow(), 4);
}

void TestScheduleList::longTextPanel()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 0, u"とても長い項目の名前がここに入ります", 0xFFFFFF, u"短いメモ"));
    s.AppendFrame(Frame(9, 0, 1, 0, u"短い", 0xFFFFFF));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    KTMemoPanel *panel = l->MemoPanel();
    QVERIFY(panel);
    QVERIFY(!panel->isVisible());
    const QRect item = l->CellRect(1, 2);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, item.center() - l->viewport()->geometry().topLeft());
    QVERIFY(panel->isVisible());
    QCOMPARE(l->MemoPanelRow(), 1);
    QCOMPARE(l->MemoPanelCol(), 2);
    QCOMPARE(panel->PanelText(), l->CellText(1, 2));
    QCOMPARE(panel->width(), 120);
    QCOMPARE(panel->pos(), item.topLeft());
    QVERIFY(!panel->Editable());
    // A text that fits does not open it; another column hides it.
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                      l->CellRect(2, 2).center() - l->viewport()->geometry().topLeft());
    QVERIFY(!panel->isVisible());
    QCOMPARE(l->MemoPanelRow(), -1);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, item.center() - l->viewport()->geometry().topLeft());
    QVERIFY(panel->isVisible());
    QTest::keyClick(l, Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
}

void TestScheduleList::totalTimeInSchedulingMode()
{
    KDaySchedule s;
    s.AppendFrame(Frame(0, 0, 24, 0, u"自由", 0xFFFFFF));
    s.AppendFrame(Frame(8, 0, 1, 30, u"仕事", 0xFFFFFF));
    s.AppendFrame(Frame(9, 0, 0, 0, u"零", 0xFFFFFF));
    QCOMPARE(FormatTime(KScheduleList::TotalTime(s), false), std::u16string(u"25:30"));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    QCOMPARE(l->CellText(0, 4), QString("時間"));
    l->SetEditMode(true);
    QVERIFY(!l->TimeMark()); // no mark while scheduling
    QCOMPARE(l->CellText(0, 4), QString("25:30"));
    l->SetEditMode(false);
    QCOMPARE(l->CellText(0, 4), QString("時間"));
    QVERIFY(l->TimeMark());

    KDaySchedule empty;
    ListInHost e(&empty);
    QCOMPARE(e.list->CellText(1, 2), QString());
    QCOMPARE(e.list->CellText(0, 4), QString("時間"));
    e.list->SetEditMode(true);
    QCOMPARE(e.list->CellText(0, 4), QString("00:00"));
}

void TestScheduleList::contextMenu()
{
    KDaySchedule s;
    s.AppendFrame(Frame(8, 0, 1, 0, u"A", 0xFFFFFF));
    ListInHost h(&s);
    KScheduleList *l = h.list;
    QMenu menu;
    menu.addAction("x");
    // Without a menu (normal mode) a right click does nothing.
    QContextMenuEvent none(
        QContextMenuEvent::Mouse, l->CellRect(3, 2).center() - l->viewport()->geometry().topLeft(),
        l->viewport()->mapToGlobal(l->CellRect(3, 2).center() - l->viewport()->geometry().topLeft()));
    QApplication::sendEvent(l->viewport(), &none);
    QCOMPARE(l->CursorRow(), 1);
    l->SetPopupMenu(&menu);
    const QPoint inViewport = l->CellRect(3, 2).center() - l->viewport()->geometry().topLeft();
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, inViewport,
                               l->viewport()->mapToGlobal(inViewport));
    QApplication::sendEvent(l->viewport(), &keyboard);
    QVERIFY(!menu.isVisible());
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, inViewport, l->viewport()->mapToGlobal(inViewport));
    QApplication::sendEvent(l->viewport(), &mouse);
    QCOMPARE(l->CursorRow(), 3); // a blank row becomes current too
    QCOMPARE(l->CursorCol(), 2);
    QVERIFY(menu.isVisible());
    const QPoint below = l->viewport()->mapToGlobal(
        l->CellRect(3, 2).translated(-l->viewport()->geometry().topLeft()).bottomLeft());
    QVERIFY(qAbs(menu.pos().y() - below.y()) <= 2);
    menu.hide();
    l->SetPopupMenu(nullptr);
    QCOMPARE(l->PopupMenu(), nullptr);
}

// Writes pictures of the list and the side panel when ORVELLA_SHOT_DIR is set, and
// measures what the tick costs the list.
void TestScheduleList::screenshot()
{
    KDaySchedule s;
    s.AppendFrame(Frame(0, 0, 7, 0, u"就寝", 0xC0C0C0));
    s.AppendFrame(Frame(7, 0, 0, 30, u"起床", 0xFFFFFF, u"窓を開ける"));
    s.AppendFrame(Frame(7, 30, 0, 30, u"朝食", 0x00FF00));
    s.AppendFrame(
        Frame(8, 0, 4, 0, u"仕事", 0x0000FF,
              u"午前の打ち合わせと報告書の作成、メールの返信、来週の出張の準備と資料の確認、経費の精算"));
    s.AppendFrame(Frame(12, 0, 1, 0, u"昼食", 0x00FF00));
    s.AppendFrame(Frame(13, 0, 5, 0, u"仕事", 0x0000FF));
    s.AppendFrame(Frame(18, 0, 1, 0, u"運動", 0xFF00FF, u"ジョギング 5 km"));
    s.AppendFrame(Frame(19, 0, 1, 0, u"夕食", 0x00FF00));
    s.AppendFrame(Frame(20, 0, 2, 0, u"勉強", 0x008000));
    s.AppendFrame(Frame(22, 0, 2, 0, u"自由", 0xFFFFFF));
    QWidget window;
    window.resize(1000, 640);
    QWidget *panel = new QWidget(&window);
    panel->setGeometry(0, 0, 750, 640);
    panel->setAutoFillBackground(true);
    KScheduleList *l = new KScheduleList(panel);
    l->SetParent(panel);
    l->SetupColumns(KScheduleList::RowCountFor(s.GetCount(), 640));
    l->SetHeight(640);
    l->SetWidth(750);
    l->SetFontSize(9);
    l->SetMemoPanelEnabled(true);
    l->SetTimeMarkSize(13);
    l->SetTimeMarkOffset(22);
    l->SetTimeMarkOption(2);
    l->SetSchedule(&s);
    l->RefreshRows(false);
    l->SetCursor(4, 2);
    auto *side = new KToptionPanel_I(&window, &window);
    side->SetWidth(250);
    side->SetHeight(640);
    side->move(750, 0);
    side->show();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const KSchTime now = KSchTime::MakeTime(10, 24, 37);
    l->SetCurrentFrame(s.FindFrameAt(now));
    l->UpdateTimeMark(now);
    side->Clock->SetSeconds(true);
    side->Clock->SetTime(now);
    side->CurSchView->SetNow(now);
    side->CurSchView->SetShowSeconds(true);
    side->CurSchView->SetStart(s.GetFrame(3)->StartTime);
    side->CurSchView->SetEnd(s.GetFrame(3)->EndTime());
    side->CurSchView->EditSchItem->setText("仕事");
    QVERIFY(l->TimeMark()->isVisible());

    QElapsedTimer timer;
    timer.start();
    const int ticks = 3600;
    for (int i = 0; i < ticks; ++i) {
        KSchTime t = KSchTime::MakeTime(8, 0, 0);
        t = AddTimes(t, KSchTime::MakeTime(0, 0, uint8_t(i % 240)));
        t.SetMinute(uint8_t(i / 60 % 60));
        l->SetCurrentFrame(3);
        l->UpdateTimeMark(t);
        QCoreApplication::processEvents();
    }
    qInfo("tick cost of the list (mark move + repaint): %.1f us", timer.nsecsElapsed() / 1000.0 / ticks);
    l->UpdateTimeMark(now);

    const QString dir = qEnvironmentVariable("ORVELLA_SHOT_DIR");
    if (!dir.isEmpty()) {
        QVERIFY(window.grab().save(QDir(dir).filePath("list_and_panel.png")));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->CellRect(4, 5).center() - l->viewport()->geometry().topLeft());
        QVERIFY(l->MemoPanel()->isVisible());
        QVERIFY(window.grab().save(QDir(dir).filePath("list_memo_panel.png")));
    }
}

QTEST_MAIN(TestScheduleList)
#include "tst_schedulelist.moc"
