#include "app/WindowHarness.h"
#include "app/dialogs/TKCalendarView.h"
#include "graphs/KTSchFramePopup.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "graphs/TKCurSchView.h"
#include "listedit/KScheduleList.h"
#include "listedit/KToptionPanel_I.h"
#include "model/KMessageCatalog.h"
#include "storage/KOrvellaEnv.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {
QString Q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

QStringList WeekdayCaptions(const TOrvellaForm &f)
{
    QStringList out;
    for (QPushButton *b : f.WeekdayButtons)
        out << b->text();
    return out;
}

// Every text of the window and its components that depends on the language value.
struct Texts {
    QStringList Hints, Weekdays;
    QString Today, DefaultItem, NewItem, ListTitle, InsertName, CurSchTitle, CalendarToday, OpenFilter,
        SaveFilter, Message, WeekCount;
    int PiePopup = -1, AlarmLanguage = -1;
};

Texts Read(WindowHarness &h)
{
    TOrvellaForm &f = *h.form;
    Texts t;
    for (QToolButton *b : {f.FileNewButton, f.SchPieViewButton, f.SchTimelineViewButton, f.EditCancelButton,
                           f.WkTodayButton, f.EnterSkinModeButton, f.ExitSkinModeButton, f.ExitEditSchButton})
        t.Hints << b->toolTip();
    t.Weekdays = WeekdayCaptions(f);
    t.Today = f.WkTodayButton->text();

    KDaySchedule s;
    f.AddDefaultFrame(s);
    t.DefaultItem = Q(s.GetFrame(0)->ItemName);
    f.NewSchedule();
    t.NewItem = Q(f.ShownSchedule.GetFrame(0)->ItemName);

    f.SwitchView(TOrvellaForm::vtList);
    t.ListTitle = f.SchList->CellText(0, KScheduleList::ColStart);
    t.InsertName = f.SchList->DefaultItemName();
    t.CurSchTitle = f.OptionPanel1->CurSchView->LabelCurSchTitle->text();
    t.CalendarToday = f.OptionPanel1->CalendarView->ButtonToday->text();
    f.SwitchView(TOrvellaForm::vtPie);
    t.PiePopup = f.SchPie->FramePopup()->PopupLanguage;
    t.AlarmLanguage = f.Alarm.Language;

    h.dialogs.Answers.clear();
    f.FileOpenExecute();
    t.OpenFilter = Q(h.dialogs.History.back().Request.Filter);
    f.FileSaveAsExecute();
    t.SaveFilter = Q(h.dialogs.History.back().Request.Filter);
    f.ShowMessageCode(KMessageCatalog::FileMissing);
    t.Message = Q(h.prompter.History.back().Text);

    f.WeekSchFileName = "/w/week.orw";
    f.SwitchView(TOrvellaForm::vtWeekCount);
    t.WeekCount = f.SchTitleEdit->text();
    return t;
}
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void oneCallSwitchesEveryText()
    {
        WindowHarness h;
        TOrvellaForm &f = *h.form;
        QCOMPARE(f.Language, 0);
        const Texts ja = Read(h);
        QCOMPARE(ja.Hints,
                 (QStringList{"新規作成", "円グラフ", "時間軸（縦）グラフ",
                              "変更をキャンセルし、元のスケジュールに戻す", "今日のスケジュールを開く",
                              "スキンモード", "ノーマルモード", "スケジュール作成 終了"}));
        QCOMPARE(ja.Weekdays, (QStringList{"日", "月", "火", "水", "木", "金", "土"}));
        QCOMPARE(ja.Today, QString("今日"));
        QCOMPARE(ja.DefaultItem, QString("自由"));
        QCOMPARE(ja.NewItem, QString("自由"));
        QCOMPARE(ja.ListTitle, QString("開始時刻"));
        QCOMPARE(ja.InsertName, QString("自由"));
        QCOMPARE(ja.CurSchTitle, QString("現在のスケジュール"));
        QCOMPARE(ja.CalendarToday, QString("今日"));
        QCOMPARE(ja.PiePopup, 0);
        QCOMPARE(ja.AlarmLanguage, 0);
        QVERIFY(ja.OpenFilter.startsWith("すべてのスケジューラー・ファイル (*.ors, *.orw)|*.ors;*.orw|"));
        QCOMPARE(ja.SaveFilter, QString("スケジューラー・ファイル (*.ors)|*.ors|すべてのファイル (*.*)|*.*"));
        QCOMPARE(ja.Message, QString("ファイルが見つかりません。"));
        QCOMPARE(ja.WeekCount, QString("週間スケジュール集計"));

        QSignalSpy changed(&f, &TOrvellaForm::LanguageChanged);
        f.SwitchView(TOrvellaForm::vtList);
        f.SetLanguage(1);
        QCOMPARE(changed.count(), 1);
        // Components that exist at the moment of the change follow at once.
        QCOMPARE(f.SchList->CellText(0, KScheduleList::ColItem), QString("Item"));
        const Texts en = Read(h);
        QCOMPARE(en.Hints,
                 (QStringList{"New", "Pie Graph", "Timeline(Vertical) Graph",
                              "Edit Cancel and Replaced with the original", "Open Schedule of Today",
                              "Skin Mode", "Normal Mode", "Exit Scheduling Mode"}));
        QCOMPARE(en.Weekdays, (QStringList{"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"}));
        QCOMPARE(en.Today, QString("TODAY"));
        QCOMPARE(en.DefaultItem, QString("Free"));
        QCOMPARE(en.NewItem, QString("Free"));
        QCOMPARE(en.ListTitle, QString("Start Time"));
        QCOMPARE(en.InsertName, QString("Free"));
        QCOMPARE(en.CurSchTitle, QString("Current Schedule"));
        QCOMPARE(en.CalendarToday, QString("Today"));
        QCOMPARE(en.PiePopup, 1);
        QCOMPARE(en.AlarmLanguage, 1);
        QCOMPARE(en.OpenFilter,
                 QString("All Scheduler Files (*.ors, *.orw)|*.ors;*.orw|Schedule File "
                         "(*.ors)|*.ors|Week Schedule File (*.orw)|*.orw|All Files (*.*)|*.*"));
        QCOMPARE(en.SaveFilter, QString("Scheduler File (*.ors)|*.ors|All Files (*.*)|*.*"));
        QCOMPARE(en.Message, QString("The file doesn't exist."));
        QCOMPARE(en.WeekCount, QString("Week Schedule Count"));

        // Shown while the value changes, the week count's title follows too.
        f.SetLanguage(0);
        QCOMPARE(f.SchTitleEdit->text(), QString("週間スケジュール集計"));

        // Any value but 1 is Japanese.
        f.SetLanguage(2);
        const Texts two = Read(h);
        QCOMPARE(two.Hints, ja.Hints);
        QCOMPARE(two.Weekdays, ja.Weekdays);
        QCOMPARE(two.DefaultItem, ja.DefaultItem);
        QCOMPARE(two.ListTitle, ja.ListTitle);
        QCOMPARE(two.CurSchTitle, ja.CurSchTitle);
        QCOMPARE(two.CalendarToday, ja.CalendarToday);
        QCOMPARE(two.PiePopup, 0);
        QCOMPARE(two.OpenFilter, ja.OpenFilter);
        QCOMPARE(two.Message, ja.Message);
    }

    // The stored value is applied at start: 1 starts in English, any other value in Japanese,
    // and the value in use is written back at exit.
    void storedLanguageIsAppliedAtStart()
    {
        struct Case {
            int stored, language;
            const char *pieHint, *sunday;
        };
        for (const Case &c : {Case{1, 1, "Pie Graph", "SUN"}, Case{2, 0, "円グラフ", "日"}}) {
            WindowHarness h(QSize(1024, 768), false, false);
            KSchAlarmConfig alarm;
            KWeekSchConfig week;
            KOrvellaEnv env(h.files, h.prompter, h.appData);
            env.AlarmConfigRef = &alarm;
            env.WeekConfigRef = &week;
            env.SavedLanguage = c.stored;
            h.files.Put(h.appData.SettingsFilePath(), env.BuildImage());
            h.Build();
            QCOMPARE(h.form->Language, c.language);
            QCOMPARE(h.form->SchPieViewButton->toolTip(), QString(c.pieHint));
            QCOMPARE(h.form->WeekdayButtons[0]->text(), QString(c.sunday));
            QCOMPARE(h.form->OptionPanel1->CurSchView->Language(), c.language);

            h.form.reset(); // writes the settings
            KOrvellaEnv again(h.files, h.prompter, h.appData);
            again.AlarmConfigRef = &alarm;
            again.WeekConfigRef = &week;
            QCOMPARE(again.ReadSettings(h.appData.SettingsFilePath()), 0);
            QCOMPARE(int(again.SavedLanguage), c.language);
        }
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
