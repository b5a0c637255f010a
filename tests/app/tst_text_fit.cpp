// Every text of every window, dialog and popup shows whole, in Japanese and in English; and
// Qt's own texts (message box buttons, file dialogs) follow the interface language.
#include "alarm/TKAlarmPopUpDialog.h"
#include "app/TextFit.h"
#include "app/WindowHarness.h"
#include "app/WindowWalk.h"
#include "app/dialogs/TKMessageWindow.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "listedit/TKSchConfSimpleDialog.h"
#include "model/KMessageCatalog.h"
#include "platform/qt/KQtFileDialogs.h"
#include "platform/qt/KQtPrompter.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>

namespace {

bool HasJapanese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3040; });
}

// Rests the pointer on the middle of the first drawn item label of the graph.
template <class Graph> bool HoverFirstLabel(Graph *graph)
{
    if (!graph)
        return false;
    for (int i = 0; i < graph->ItemLabelCount(); ++i) {
        if (!graph->ItemLabelShown(i))
            continue;
        const QPointF at = QRectF(graph->ItemLabelRect(i)).center();
        QMouseEvent move(QEvent::MouseMove, at, graph->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
        return graph->FramePopup() && graph->FramePopup()->isVisible();
    }
    return false;
}

// The frame popup of the graph lies wholly in the part of the window it shows in.
template <class Graph> QString PopupInside(Graph *graph)
{
    const QWidget *popup = graph->FramePopup();
    const QRect room = popup->parentWidget()->rect();
    if (room.contains(popup->geometry()))
        return {};
    return TextFit::Describe(popup) + QString(" at %1,%2 %3x%4 in %5x%6")
                                          .arg(popup->x())
                                          .arg(popup->y())
                                          .arg(popup->width())
                                          .arg(popup->height())
                                          .arg(room.width())
                                          .arg(room.height());
}

// A day with a long-named frame and a long memo, so that the popups have their most to show.
void FillDay(TOrvellaForm &f)
{
    KDaySchedule &s = f.ShownSchedule;
    s.ClearFrames();
    s.AppendFrame(KScheduleFrame(KSchTime{}, KSchTime::MakeTime(8, 0, 0), u"睡眠", 0xC0C0FF,
                                 u"A memo long enough to wrap over several lines of the frame popup"));
    s.AppendFrame(
        KScheduleFrame(KSchTime::MakeTime(8, 0, 0), KSchTime::MakeTime(6, 0, 0), u"仕事", 0x80FF80, u""));
    s.AppendFrame(
        KScheduleFrame(KSchTime::MakeTime(14, 0, 0), KSchTime::MakeTime(10, 0, 0), u"自由", 0xFFFFFF, u""));
    f.SwitchView(TOrvellaForm::vtPie);
    f.SwitchView(TOrvellaForm::vtList);
}

} // namespace

class TestTextFit : public QObject {
    Q_OBJECT

private slots:
    // The check itself: a text cut by its own widget, by a parent, by a widget on top of it,
    // a title bar too narrow for its caption and a text box with hidden lines are all seen,
    // and none of them once there is room.
    void theCheckSeesEveryWayATextIsCut()
    {
        QDialog d;
        d.setWindowTitle("Check");
        auto *label = new QLabel("A label of some length", &d);
        auto *wrapped = new QLabel("Several words that wrap onto more lines than fit", &d);
        wrapped->setWordWrap(true);
        auto *button = new QPushButton("A button caption", &d);
        auto *check = new QCheckBox("A check box caption", &d);
        auto *covered = new QPushButton("WED", &d);
        auto *mark = new QFrame(covered);
        auto *box = new QPlainTextEdit("one\ntwo\nthree\nfour", &d);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto *panel = new QWidget(&d);
        auto *inner = new QLabel("Inside a panel", panel);
        for (QWidget *w :
             std::initializer_list<QWidget *>{label, wrapped, button, check, covered, box, panel})
            w->adjustSize();
        wrapped->resize(120, wrapped->heightForWidth(120));
        covered->resize(80, 30);
        mark->setGeometry(2, 2, 6, 6);
        box->resize(200, 200);
        inner->adjustSize();
        panel->resize(inner->size());
        int y = 0;
        for (QWidget *w :
             std::initializer_list<QWidget *>{label, wrapped, button, check, covered, box, panel}) {
            w->move(0, y);
            y += w->height();
        }
        d.resize(400, y);
        d.show();
        QVERIFY2(TextFit::Problems(&d).isEmpty(), qPrintable(TextFit::Problems(&d).join('\n')));

        auto shrunk = [&](QWidget *w, QSize size, const char *what) {
            const QSize was = w->size();
            w->resize(size);
            const QStringList found = TextFit::Problems(&d);
            w->resize(was);
            QVERIFY2(found.size() == 1, qPrintable(QString(what) + ": " + found.join('\n')));
        };
        shrunk(label, label->size() - QSize(4, 0), "label narrower");
        shrunk(label, label->size() - QSize(0, 4), "label lower");
        shrunk(wrapped, wrapped->size() - QSize(0, 4), "wrapped label lower");
        shrunk(button, button->size() - QSize(30, 0), "button narrower");
        shrunk(check, check->size() - QSize(10, 0), "check box narrower");
        shrunk(panel, panel->size() - QSize(6, 0), "parent narrower than its label");
        shrunk(box, QSize(200, 40), "text box lower than its lines");
        mark->move(37, 12);
        QCOMPARE(TextFit::Problems(&d).size(), 1); // the mark on the caption
        mark->move(2, 2);
        d.setWindowTitle("A caption far too long for the narrow dialog it belongs to");
        d.setFixedWidth(200);
        QCOMPARE(TextFit::Problems(&d).size(), 1);
    }

    void everyWindowDialogAndPopup_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("Japanese") << 0;
        QTest::newRow("English") << 1;
    }

    // Every window, dialog and popup a user can reach, with every view and in every skin size.
    void everyWindowDialogAndPopup()
    {
        QFETCH(int, language);
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        if (language == 1)
            f.Action("OptLangEN")->trigger();
        FillDay(f);
        QStringList found = WindowWalk::EveryCommand(f, TextFit::Problems);
        if (f.SchedulingMode)
            f.ExitSchedulingMode();
        FillDay(f); // the commands replaced it

        // The graphs with their frame popups, in the window and in each size of skin mode.
        for (const char *view : {"ViewTypePie", "ViewTypeVTimeline"}) {
            f.Action(view)->trigger();
            const bool pie = f.ViewType == TOrvellaForm::vtPie;
            QVERIFY(pie ? HoverFirstLabel(f.SchPie) : HoverFirstLabel(f.SchTimeline));
            found += TextFit::Problems(&f);
            f.EnterSkinMode();
            for (const char *size :
                 {"SkinModeSize_L", "SkinModeSize_M1", "SkinModeSize_M2", "SkinModeSize_S"}) {
                f.Action(size)->trigger();
                QVERIFY(pie ? HoverFirstLabel(f.SchPie) : HoverFirstLabel(f.SchTimeline));
                found += QString(size) + ':' + TextFit::Problems(&f).join("\n  ") +
                         (pie ? PopupInside(f.SchPie) : PopupInside(f.SchTimeline));
            }
            f.ExitSkinMode();
        }
        found.removeAll(QString("SkinModeSize_L:"));
        found.removeAll(QString("SkinModeSize_M1:"));
        found.removeAll(QString("SkinModeSize_M2:"));
        found.removeAll(QString("SkinModeSize_S:"));

        // The check's answer with two problems, the alarm popup at each point, an alarm error.
        {
            TKSchConfSimpleDialog check(&f);
            check.Language = language;
            check.Prepare(7, 10, 10);
            check.show();
            found += TextFit::Problems(&check);
        }
        for (int lead : {0, 5, 10, 45}) {
            TKAlarmPopUpDialog popup;
            popup.SetLanguage(language);
            popup.SetLeadMinutes(lead);
            popup.SetEndingFrame(*f.ShownSchedule.GetFrame(0));
            popup.SetNextFrame(*f.ShownSchedule.GetFrame(1));
            popup.show();
            found += TextFit::Problems(&popup);
        }
        {
            TKMessageWindow window;
            window.ShowMessage(
                language == 1 ? "Alarm Error " : "アラーム エラー",
                QString::fromStdU16String(KMessageCatalog::Text(KMessageCatalog::FileMissing, language)), 10,
                10);
            found += TextFit::Problems(&window);
        }

        // Message boxes and file dialogs as the desktop shows them.
        KQtPrompter prompter(&f);
        for (int caption : {int(KMessageCatalog::CaptionError), int(KMessageCatalog::CaptionSystemError),
                            int(KMessageCatalog::CaptionWarning), 7 /* Save As */})
            found += WindowWalk::WhileOpen(
                [&] {
                    prompter.Ask(KMessageCatalog::Text(caption, language),
                                 KMessageCatalog::Text(KMessageCatalog::FileMissing, language),
                                 KMsgIcon::Warning, KMsgButtons::YesNoCancel);
                },
                TextFit::Problems);

        found.removeDuplicates();
        if (!found.isEmpty())
            QFAIL(qPrintable("Texts not shown whole:\n  " + found.join("\n  ")));
    }

    // Qt's own texts are Japanese in the Japanese interface and English in the English one:
    // message box buttons, the file dialog, and a box already open when the language changes.
    void qtOwnTextsFollowTheLanguage()
    {
        WindowHarness h(QSize(1024, 768), false);
        TOrvellaForm &f = *h.form;
        KQtPrompter prompter(&f);
        auto buttonTexts = [](QWidget *w) {
            QStringList texts;
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
                if (b->isVisibleTo(w))
                    texts << b->text();
            return texts;
        };
        auto askAndRead = [&] {
            QStringList texts;
            WindowWalk::WhileOpen(
                [&] {
                    prompter.Ask(u"確認", u"保存しますか？", KMsgIcon::Question, KMsgButtons::YesNoCancel);
                },
                [&](QWidget *box) {
                    texts = buttonTexts(box);
                    return QStringList();
                });
            return texts;
        };
        QStringList texts = askAndRead();
        QCOMPARE(texts.size(), 3);
        for (const QString &t : texts)
            QVERIFY2(HasJapanese(t), qPrintable(t));

        KQtFileDialogs dialogs;
        dialogs.SetOwner(&f);
        QString filter;
        QStringList fileTexts;
        WindowWalk::WhileOpen(
            [&] {
                KFileDialogRequest request;
                request.Filter = u"スケジュール・ファイル (*.ors)|*.ors|すべてのファイル (*.*)|*.*";
                request.FilterIndex = 1;
                dialogs.SaveFile(request);
            },
            [&](QWidget *w) {
                if (auto *d = qobject_cast<QFileDialog *>(w)) {
                    filter = d->selectedNameFilter();
                    fileTexts = buttonTexts(d);
                }
                return QStringList();
            });
        QCOMPARE(filter, QString("スケジュール・ファイル (*.ors)"));
        QVERIFY(!fileTexts.isEmpty());
        QVERIFY2(std::any_of(fileTexts.begin(), fileTexts.end(), HasJapanese),
                 qPrintable(fileTexts.join('|')));

        // An open box changes its buttons with the language.
        QMessageBox open(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::No, &f);
        open.show();
        QTRY_VERIFY(HasJapanese(open.button(QMessageBox::Yes)->text()));
        f.Action("OptLangEN")->trigger();
        QTRY_COMPARE(open.button(QMessageBox::Yes)->text(), QString("&Yes"));
        texts = askAndRead();
        QCOMPARE(texts.size(), 3);
        for (const QString &t : texts)
            QVERIFY2(!HasJapanese(t), qPrintable(t));
        f.Action("OptLangJP")->trigger();
        QTRY_VERIFY(HasJapanese(open.button(QMessageBox::Yes)->text()));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Title bars name the program as the planner does.
    QApplication::setApplicationDisplayName("Orvella");
    TestTextFit test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_text_fit.moc"
