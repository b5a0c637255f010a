// Start-up work put off until the window's first paint: it runs once, after that paint, and
// only for that window.
#include "app/KAfterFirstPaint.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Counts its paints, so a test can tell whether work ran after one.
class PaintCounter : public QLabel {
public:
    using QLabel::QLabel;
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        ++Paints;
        QLabel::paintEvent(e);
    }
};
} // namespace

class TestAfterFirstPaint : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAfterThatWindowsFirstPaint()
    {
        QWidget window, other;
        auto *label = new PaintCounter("frame", &window);
        (new QVBoxLayout(&window))->addWidget(label);
        int runs = 0, paintsSeenByWork = -1;
        KAfterFirstPaint after(window, [&] {
            ++runs;
            paintsSeenByWork = label->Paints;
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);

        // Another window's paint is not this one's.
        other.resize(100, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);

        window.show();
        QTRY_COMPARE(runs, 1);
        QVERIFY(after.Done());
        QVERIFY2(paintsSeenByWork >= 1, "the work ran before the window was painted");

        label->Paints = 0;
        label->update();
        QTRY_VERIFY(label->Paints > 0);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void aWindowGoneBeforeItsPaintRunsNothing()
    {
        int runs = 0;
        auto *window = new QWidget;
        KAfterFirstPaint after(*window, [&] { ++runs; });
        delete window;
        QWidget shown;
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        QVERIFY(!after.Done());
    }
};

QTEST_MAIN(TestAfterFirstPaint)
#include "tst_after_first_paint.moc"
