// The main window under a real window manager (openbox on a virtual display, see
// with-window-manager.sh): the whole frame, title bar included, lies inside the screen's
// available area at start and after skin mode, wherever the window was before.
#include "app/WindowHarness.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QtTest>

namespace {
QString Describe(const QRect &r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The window manager has put its frame around the window: a title bar above the window.
bool Framed(const TOrvellaForm &f)
{
    return f.isVisible() && f.frameGeometry().top() < f.geometry().top();
}

bool FrameOnScreen(const TOrvellaForm &f)
{
    return QGuiApplication::primaryScreen()->availableGeometry().contains(f.frameGeometry());
}
} // namespace

class TestWindowOnScreen : public QObject {
    Q_OBJECT

private slots:
    void frameStaysOnTheScreen()
    {
        // The window takes its size from the real screen, as the program does.
        WindowHarness h(QSize(), false);
        TOrvellaForm &f = *h.form;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY(Framed(f));
        QTRY_VERIFY2(FrameOnScreen(f), qPrintable(Describe(f.frameGeometry()) + " in " + Describe(area)));
        // Top 2 is the top of the frame.
        QCOMPARE(f.frameGeometry().top(), area.top() + 2);

        // Skin mode and back, from where the window is.
        f.SwitchView(TOrvellaForm::vtPie);
        f.EnterSkinMode();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.ExitSkinMode();
        QTRY_VERIFY(Framed(f));
        QTRY_VERIFY2(FrameOnScreen(f), qPrintable(Describe(f.frameGeometry())));

        // A window the user had pushed partly off the screen comes back whole after skin mode.
        f.move(area.right() - 300, f.y());
        QTRY_COMPARE(f.frameGeometry().left(), area.right() - 300);
        QVERIFY(!FrameOnScreen(f));
        f.EnterSkinMode();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.ExitSkinMode();
        QTRY_VERIFY(Framed(f));
        QTRY_VERIFY2(FrameOnScreen(f), qPrintable(Describe(f.frameGeometry())));
    }

    void aStartInSkinModeLeavesItOnTheScreen()
    {
        // Closed in skin mode with the pie: the next start comes back in skin mode.
        WindowHarness h(QSize(), false);
        h.form->SetStartWithLastView(true);
        h.form->SwitchView(TOrvellaForm::vtPie);
        h.form->EnterSkinMode();
        h.Build();
        TOrvellaForm &f = *h.form;
        QVERIFY(f.SkinMode);
        QTRY_VERIFY(f.isVisible());
        f.ExitSkinMode();
        QTRY_VERIFY(Framed(f));
        QTRY_VERIFY2(FrameOnScreen(f), qPrintable(Describe(f.frameGeometry())));
    }
};

QTEST_MAIN(TestWindowOnScreen)
#include "tst_window_on_screen.moc"
