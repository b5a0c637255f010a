// Message boxes show the names and texts they quote exactly as written: a file name that looks
// like markup gives no heading and no link.
#include "platform/qt/KQtPrompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {
// What a label shows a reader, after its text format has been applied.
QString Shown(const QLabel &label)
{
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (!rich)
        return label.text();
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}
} // namespace

class TestPrompter : public QObject {
    Q_OBJECT

private slots:
    void markupInAMessageIsShownAsText()
    {
        const QString name = "/home/u/<h2>Heading</h2><a href=\"https://example.org\">Click here</a>.orw";
        const QString text = name + "\n\nThe file cannot be opened.";
        KQtPrompter prompter;
        QString format, shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            auto *label = box->findChild<QLabel *>("qt_msgbox_label");
            QVERIFY(label);
            format = box->textFormat() == Qt::PlainText ? "plain" : "not plain";
            shown = Shown(*label);
            box->button(QMessageBox::No)->click();
        });
        const KMsgAnswer answer =
            prompter.Ask(u"Orvella", text.toStdU16String(), KMsgIcon::Error, KMsgButtons::YesNo);
        QCOMPARE(answer, KMsgAnswer::No);
        QCOMPARE(format, QString("plain"));
        QCOMPARE(shown, text);
    }
};

QTEST_MAIN(TestPrompter)
#include "tst_prompter.moc"
