// The alarm popup and the alarm's windows: texts for each kind of alarm, one window that
// later alarms update, the close buttons and Escape, dragging, and the error window.
#include "alarm/KAlarmWindows.h"
#include "alarm/TKAlarmPopUpDialog.h"
#include "app/dialogs/TKMessageWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {
KScheduleFrame Frame(int h, int m, int durMinutes, const char16_t *name)
{
    return KScheduleFrame(KSchTime{uint8_t(h), uint8_t(m), 0},
                          KSchTime::MakeTime(uint8_t(durMinutes / 60), uint8_t(durMinutes % 60), 0), name,
                          0xFFFFFF, u"");
}

KSchAlarmPopupInfo Info(int lead, std::optional<KScheduleFrame> next, int language = 0)
{
    KSchAlarmPopupInfo info;
    info.Language = language;
    info.LeadMinutes = lead;
    info.EndingFrame = Frame(9, 0, 60, u"Work");
    info.NextFrame = std::move(next);
    return info;
}
} // namespace

class TestAlarmPopup : public QObject {
    Q_OBJECT

private slots:
    void textsForEndAndBeforeAlarmsInBothLanguages()
    {
        KAlarmWindows windows;
        windows.ShowAlarmPopup(Info(0, Frame(10, 0, 120, u"Lunch")));
        TKAlarmPopUpDialog *p = windows.Popup;
        QVERIFY(p && p->isVisible());
        QCOMPARE(p->AlarmMsgLabel->text(), QString("終了時間になりました。"));
        QCOMPARE(p->CurrSchItemEdit->text(), QString("Work"));
        QCOMPARE(p->CurrSchTimeLabel->text(), QString("09:00～ 10:00"));
        QCOMPARE(p->NextSchItemEdit->text(), QString("Lunch"));
        QCOMPARE(p->NextSchTimeLabel->text(), QString("10:00～ 12:00"));
        QCOMPARE(p->DialogTitleLabel->text(), QString("　スケジューラー・アラーム"));
        // With ORVELLA_SCREENSHOT_DIR set the popup is saved as a PNG file.
        if (const QString dir = qEnvironmentVariable("ORVELLA_SCREENSHOT_DIR"); !dir.isEmpty())
            p->grab().save(dir + "/alarm_popup.png");
        // Both button captions fit their buttons.
        for (QPushButton *b : {p->Button_OK, p->Button_SoundStop})
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        QVERIFY(p->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(qRound(p->windowOpacity() * 255), 215);

        // A second alarm while it is open updates the same window: English, 3 minutes
        // before (a 5-minute point that fired late), no next frame, an ending frame over midnight,
        // rung 2 minutes after its minute (the clock stepped over it).
        KSchAlarmPopupInfo late = Info(3, std::nullopt, 1);
        late.EndingFrame = Frame(23, 0, 120, u"Night");
        late.LateMinutes = 2;
        windows.ShowAlarmPopup(late);
        QCOMPARE(windows.Popup.data(), p);
        const QWidgetList tops = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(tops.begin(), tops.end(),
                               [](QWidget *w) { return qobject_cast<TKAlarmPopUpDialog *>(w) != nullptr; }),
                 1);
        QCOMPARE(p->AlarmMsgLabel->text(), QString("Time before 3[min] before the end of schedule."));
        QCOMPARE(p->CurrSchTimeLabel->text(), QString("23:00～ 01:00"));
        QCOMPARE(p->NextSchItemEdit->text(), QString());
        QCOMPARE(p->NextSchTimeLabel->text(), QString());
        QCOMPARE(p->DialogTitleLabel->text(), QString(" Scheduler Alarm (rang 2 min late)"));
        QCOMPARE(p->NextSchTitleLabel->text(), QString("Next Schedule"));
        // The buttons keep their Japanese captions (the interface's translation makes them English).
        QCOMPARE(p->Button_SoundStop->text(), QString("閉じる（アラーム音 停止）"));
        late.Language = 0;
        windows.ShowAlarmPopup(late);
        QCOMPARE(p->DialogTitleLabel->text(), QString("　スケジューラー・アラーム（2分遅れ）"));
    }

    void closeButtonsAndEscape()
    {
        struct Case {
            const char *name;
            bool stops;
        };
        for (const Case &c : {Case{"Button_OK", false}, Case{"CloseSpdButton", false},
                              Case{"Button_SoundStop", true}, Case{"Escape", true}}) {
            KAlarmWindows windows;
            int stops = 0;
            windows.StopHandler = [&] { ++stops; };
            windows.ShowAlarmPopup(Info(5, std::nullopt));
            TKAlarmPopUpDialog *p = windows.Popup;
            if (QByteArray(c.name) == "Escape")
                QTest::keyClick(p->Button_OK, Qt::Key_Escape);
            else
                QTest::mouseClick(p->findChild<QAbstractButton *>(c.name), Qt::LeftButton);
            QCOMPARE(stops, c.stops ? 1 : 0);
            QTRY_VERIFY2(windows.Popup.isNull(), c.name); // closing destroys it
            // The next alarm makes a new one.
            windows.ShowAlarmPopup(Info(0, std::nullopt));
            QVERIFY(windows.Popup && windows.Popup->isVisible());
        }
    }

    void dragsByItsTitleAndPanel()
    {
        KAlarmWindows windows;
        windows.ShowAlarmPopup(Info(5, std::nullopt));
        TKAlarmPopUpDialog *p = windows.Popup;
        p->move(100, 100);
        const QPoint start = p->pos();
        QTest::mousePress(p->DialogTitleLabel, Qt::LeftButton, {}, QPoint(30, 5));
        QVERIFY(p->Dragging);
        QMouseEvent move(QEvent::MouseMove, QPointF(70, 25),
                         p->DialogTitleLabel->mapToGlobal(QPointF(70, 25)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(p->DialogTitleLabel, &move);
        QCOMPARE(p->pos(), start + QPoint(40, 20));
        QTest::mouseRelease(p->DialogTitleLabel, Qt::LeftButton, {}, QPoint(70, 25));
        QVERIFY(!p->Dragging);
    }

    void errorWindowsOnePerError()
    {
        KAlarmWindows windows;
        windows.ShowAlarmError(31, 0);
        TKMessageWindow *first = windows.ErrorWindow;
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle(), QString("アラーム エラー"));
        QCOMPARE(first->MessageLabel->text(),
                 QString("指定されたアラーム サウンド ファイルが見つかりません。"));
        windows.ShowAlarmError(32, 1);
        QVERIFY(windows.ErrorWindow != first);
        QCOMPARE(windows.ErrorWindow->windowTitle(), QString("Alarm Error "));
        QCOMPARE(windows.ErrorWindow->MessageLabel->text(),
                 QString("The alarm sound file cannot be reproduced."));
        // Neither window keeps the program alive once the main window has gone.
        QVERIFY(!first->testAttribute(Qt::WA_QuitOnClose));
    }
};

QTEST_MAIN(TestAlarmPopup)
#include "tst_alarm_popup.moc"
