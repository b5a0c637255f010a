#include "listedit/KTScheduleItemPool.h"

#include <QListWidget>
#include <QtTest>

class TestItemPool : public QObject {
    Q_OBJECT

private slots:
    void defaultItems();
    void namesAndColours();
    void capacity();
    void pickListShowsNamesWithSwatches();
    void deleteKeepsTheNextColour();
    void pickListOpensAboveNearTheBottom();
    void choosing();
};

void TestItemPool::defaultItems()
{
    KTScheduleItemPool pool(50);
    pool.AddDefaultItems();
    QCOMPARE(pool.Count(), 11);
    QCOMPARE(pool.NameAt(0), QString("自由"));
    QCOMPARE(pool.NameAt(10), QString("仕事"));
    QCOMPARE(pool.GetItemColor("仕事", 0), 0xFF0000u); // blue in the Windows layout
    QCOMPARE(pool.GetItemColor("休憩", 0), 0xFFFF00u); // cyan
    QCOMPARE(pool.GetItemColor("就寝", 0), 0xC0C0C0u);
    QCOMPARE(pool.AddItem(QString("自由"), 0x123456), 2);
    QCOMPARE(pool.GetItemColor("自由", 0), 0xFFFFFFu); // the first colour seen stays
    // A small pool stops at the first full answer.
    KTScheduleItemPool small(4);
    small.AddDefaultItems();
    QCOMPARE(small.Count(), 4);
}

void TestItemPool::namesAndColours()
{
    KTScheduleItemPool pool(50);
    QCOMPARE(pool.AddItem(QString("work"), 0x0000FF), 0);
    QCOMPARE(pool.AddItem(QString("WORK"), 0x00FF00), 2);
    QCOMPARE(pool.AddItem(QString("Ｗｏｒｋ"), 0x00FF00), 0); // full-width letters are other names
    QCOMPARE(pool.AddItem(QString("ＷＯＲＫ"), 0x00FF00), 2);
    QCOMPARE(pool.GetItemColor("Work", 0x111111), 0x0000FFu);
    QCOMPARE(pool.GetItemColor("play", 0x111111), 0x111111u);
    QCOMPARE(pool.SetItemColor("WoRk", 0x00FFFF), 0);
    QCOMPARE(pool.GetItemColor("work", 0), 0x00FFFFu);
    QCOMPARE(pool.SetItemColor("play", 0x00FFFF), 2);
    QCOMPARE(pool.Count(), 2);
}

void TestItemPool::capacity()
{
    KTScheduleItemPool pool(50);
    for (int i = 0; i < 50; ++i)
        QCOMPARE(pool.AddItem(QString("n%1").arg(i), uint32_t(i)), 0);
    QCOMPARE(pool.AddItem(QString("new"), 1), 1);
    QCOMPARE(pool.AddItem(QString("n3"), 1), 1);
    QCOMPARE(pool.SetItemColor("n3", 0xABCDEF), 1);
    QCOMPARE(pool.SetItemColor("unknown", 0xABCDEF), 1);
    QCOMPARE(pool.Count(), 50);
    QCOMPARE(pool.GetItemColor("n3", 0), 3u); // a full pool still knows its colours

    KTScheduleItemPool big(100);
    QCOMPARE(big.PoolCapacity(), 80);
    int added = 0;
    for (int i = 0; i < 100; ++i)
        added += big.AddItem(QString("m%1").arg(i), 0) == 0;
    QCOMPARE(added, 80);
}

void TestItemPool::pickListShowsNamesWithSwatches()
{
    QWidget host;
    host.resize(400, 600);
    host.show();
    KTScheduleItemPool pool(50);
    pool.ShowPopup(&host, 10, 10); // nothing to show
    QVERIFY(!pool.PopupList());
    pool.AddDefaultItems();
    QCOMPARE(pool.AddItem(QString("読書"), 0x0000FF), 0);
    pool.ShowPopup(&host, 10, 10);
    QListWidget *list = pool.PopupList();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->count(), 12);
    QCOMPARE(list->item(11)->text(), QString("読書"));
    QCOMPARE(list->pos(), QPoint(10, 10));
    QCOMPARE(list->width(), pool.WidestText() + 22);
    // The last row's swatch shows the name's colour (red).
    list->scrollToBottom();
    QRect r = list->visualItemRect(list->item(11));
    QImage img = list->viewport()->grab().toImage();
    QCOMPARE(img.pixelColor(r.left() + 5, r.center().y()), QColor(255, 0, 0));
    QCOMPARE(pool.SelectedColor(), 0xFFFFFFu); // nothing selected yet
    pool.HidePopup();
    QVERIFY(!pool.PopupList());
}

void TestItemPool::deleteKeepsTheNextColour()
{
    QWidget host;
    host.resize(400, 600);
    host.show();
    KTScheduleItemPool pool(50);
    pool.AddDefaultItems();
    pool.ShowPopup(&host, 0, 0);
    QListWidget *list = pool.PopupList();
    list->setCurrentRow(2); // 就寝
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(pool.Count(), 10);
    QCOMPARE(list->count(), 10);
    QCOMPARE(pool.NameAt(2), QString("朝食"));
    QCOMPARE(pool.ColorAt(2), 0x00FF00u);
    QCOMPARE(pool.GetItemColor("就寝", 7), 7u);
    QCOMPARE(pool.GetItemColor("仕事", 0), 0xFF0000u);
}

void TestItemPool::pickListOpensAboveNearTheBottom()
{
    QWidget host;
    host.resize(400, 500);
    host.show();
    KTScheduleItemPool pool(50);
    pool.AddDefaultItems();
    pool.ShowPopup(&host, 30, 480);
    QListWidget *list = pool.PopupList();
    const int h = list->height();
    QCOMPARE(list->y(), 480 - h - pool.ItemHeight() - 8);
    QVERIFY(list->geometry().bottom() < 480);
    // A host shorter than the list limits its height.
    QWidget tiny;
    tiny.resize(200, 60);
    tiny.show();
    pool.ShowPopup(&tiny, 0, 0);
    QVERIFY(pool.PopupList()->height() <= 60);
}

void TestItemPool::choosing()
{
    QWidget host;
    host.resize(400, 600);
    host.show();
    KTScheduleItemPool pool(50);
    pool.AddDefaultItems();
    QString chosen;
    uint32_t colour = 0;
    pool.SetChoiceHandler([&](KTScheduleItemPool *p) {
        chosen = p->SelectedName();
        colour = p->SelectedColor();
    });
    pool.ShowPopup(&host, 0, 0);
    QListWidget *list = pool.PopupList();
    list->setCurrentRow(8);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(chosen, QString("運動"));
    QCOMPARE(colour, 0xFF00FFu);
    QVERIFY(!list->isVisible());
}

QTEST_MAIN(TestItemPool)
#include "tst_itempool.moc"
