#include "app/dialogs/TKMessageWindow.h"
#include "platform/qt/KWindowCaption.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestMessageWindow : public QObject {
    Q_OBJECT

private slots:
    void widthFollowsTheText()
    {
        auto *narrow = new TKMessageWindow;
        narrow->ShowMessage("アラーム エラー", "短い", 300, 400);
        // As narrow as the text allows, and wide enough for the title bar's caption.
        QCOMPARE(narrow->width(), std::max(150, std::min(500, KWindowCaption::NeededWidth(narrow))));
        QCOMPARE(narrow->pos(), QPoint(400, 300));
        QCOMPARE(narrow->windowTitle(), QString("アラーム エラー"));
        QVERIFY(narrow->isVisible());
        QVERIFY(!narrow->isModal());

        const QString longText = QString("指定されたアラーム サウンド ファイルは再生できません。").repeated(4);
        auto *wide = new TKMessageWindow;
        wide->ShowMessage("Alarm Error ", longText, 0, 0);
        QCOMPARE(wide->width(), 500);
        const QFontMetrics metrics(wide->MessageLabel->font());
        const int textWidth = metrics.horizontalAdvance(longText);
        const int lines = (textWidth + 474) / 475;
        QVERIFY(lines >= 2);
        // With ORVELLA_SCREENSHOT_DIR set the two windows are saved as PNG files.
        const QString dir = qEnvironmentVariable("ORVELLA_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            narrow->grab().save(dir + "/message_window_narrow.png");
            wide->grab().save(dir + "/message_window_wide.png");
        }
        QVERIFY(wide->MessageLabel->height() >= metrics.height() * lines);
        // However the words break, every line of the text fits the label.
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, wide->MessageLabel->width(), 100000), Qt::TextWordWrap, longText);
        QVERIFY(wide->MessageLabel->height() >= needed.height());
        QCOMPARE(wide->OKButton->y(), wide->MessageLabel->geometry().bottom() + 1 + 10);

        // Both stay open at once; each OK closes only its own window.
        QVERIFY(narrow->isVisible() && wide->isVisible());
        QPointer<TKMessageWindow> closed(narrow);
        QTest::mouseClick(narrow->OKButton, Qt::LeftButton);
        QTRY_VERIFY(closed.isNull()); // closing releases the window
        QVERIFY(wide->isVisible());
        wide->close();
    }
};

QTEST_MAIN(TestMessageWindow)
#include "tst_message_window.moc"
