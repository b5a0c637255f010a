// Texts that come from files (item names, memos, titles, paths) are shown as written in every
// tooltip, label and popup of the window: markup in them gives no heading and no link.
#include "WindowHarness.h"
#include "alarm/KAlarmWindows.h"
#include "alarm/TKAlarmPopUpDialog.h"
#include "graphs/KTSchFramePopup.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {
// Markup as an item, a memo or a title may hold it, and as a file name may (no "/").
const QString Markup = "<h2>Loud</h2><a href='https://example.org'>Click here</a>";
const QString NameMarkup = "<h2>Loud<a href=x>Click here";
const QString DayPath = "/d/" + NameMarkup + ".ors";

// What a reader sees of a text given in the format.
QString Shown(const QString &text, Qt::TextFormat format)
{
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

struct Place {
    QString Where;
    QString Shown;
};

// Every tooltip and label of every window that shows something of the marked texts.
QList<Place> MarkedPlaces()
{
    QList<Place> found;
    for (QWidget *w : QApplication::allWidgets()) {
        const QString where = QString::fromLatin1(w->metaObject()->className()) + "(" + w->objectName() + ")";
        auto look = [&](const char *what, const QString &text, Qt::TextFormat format) {
            const QString shown = Shown(text, format);
            if (text.contains("Loud") || shown.contains("Loud"))
                found.append({where + " " + what, shown});
        };
        look("toolTip", w->toolTip(), Qt::AutoText); // a tooltip decides as a label in AutoText does
        if (auto *label = qobject_cast<QLabel *>(w))
            look("text", label->text(), label->textFormat());
    }
    return found;
}

KScheduleFrame Frame(int hour, int minute, int minutes, const QString &item)
{
    return KScheduleFrame(KSchTime{uint8_t(hour), uint8_t(minute), 0},
                          KSchTime::MakeTime(uint8_t(minutes / 60), uint8_t(minutes % 60), 0),
                          item.toStdU16String(), 0xFFFFFF, Markup.toStdU16String());
}
} // namespace

class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void fileTextsAreShownAsWritten()
    {
        WindowHarness h(QSize(1024, 768), false, false);
        KDaySchedule day;
        day.AppendFrame(Frame(0, 0, 12 * 60, "night " + Markup));
        day.AppendFrame(Frame(12, 0, 5, "lunch " + Markup));
        day.AppendFrame(Frame(12, 5, 11 * 60 + 55, "rest " + Markup));
        h.files.Put(DayPath.toStdU16String(), KScheduleFile::BuildImage(day, Markup.toStdU16String()));
        KWeekSchConfig week;
        for (int d = 0; d < 7; ++d)
            week.SetDayFile(d, DayPath.toStdU16String());
        h.files.Put(u"/d/week.orw", KWeekSchFile::BuildImage(week));
        h.Build();
        TOrvellaForm &f = *h.form;

        // The week file opens today's day file: the title's tooltip names it, each weekday
        // button's tooltip too, and the side panel shows the current item.
        f.OpenFileFromDesktop("/d/week.orw");
        QTRY_COMPARE(f.SchFileName, DayPath);
        f.ClockTick();
        // The alarm at the end of lunch shows the ending and the next item.
        f.AlarmConfig.SetPointCount(4);
        f.AlarmConfig.SetMinutes(0, 0);
        f.AlarmConfig.SetPointOn(0, true);
        f.AlarmConfig.AlarmTypes = KSchAlarmConfig::PopupAlarm;
        f.ApplyAlarmEnabled();
        f.AlarmResetPending = true;
        for (int s : {58, 59}) {
            h.clock.Set(12, 4, uint8_t(s), 3);
            f.ClockTick();
        }
        h.clock.Set(12, 5, 0, 3);
        f.ClockTick();
        QVERIFY(f.AlarmWindows->Popup);
        // The frame popup of the graphs.
        KTSchFramePopup framePopup(&f);
        framePopup.ShowFrame(f.ShownSchedule.GetFrame(1));

        QList<Place> places = MarkedPlaces();
        // The week dialog, with the week file's day files.
        QTimer::singleShot(0, &f, [&places] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            places += MarkedPlaces();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        f.Action("OptWkSchConfig")->trigger();

        QStringList wrong, where;
        for (const Place &p : places) {
            where << p.Where;
            if (!p.Shown.contains("<h2>Loud"))
                wrong << p.Where + ": \"" + p.Shown + '"';
        }
        QVERIFY2(wrong.isEmpty(), qPrintable("shown as markup:\n  " + wrong.join("\n  ")));
        // Title, weekday buttons, side panel item, alarm popup items, frame popup item and memo,
        // week dialog paths.
        where.removeDuplicates();
        QVERIFY2(places.size() >= 20, qPrintable(where.join("\n")));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plain_text.moc"
