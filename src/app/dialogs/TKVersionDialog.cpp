#include "app/dialogs/TKVersionDialog.h"

#include "platform/qt/KFontMap.h"
#include "platform/qt/KWindowCaption.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {
constexpr int WindowWidth = 300;
constexpr int WindowHeight = 180;
constexpr int NamePoints = 16;
constexpr int OtherPoints = 12;

// The signed font height of a size in points at 96 dots per inch, as the layout rule uses it.
int SignedHeight(int points)
{
    return -int(std::lround(points * 96.0 / 72.0));
}
} // namespace

TKVersionDialog::TKVersionDialog(QWidget *parent) : TKVersionDialog(KVersionRecord(), parent) {}

TKVersionDialog::TKVersionDialog(const KVersionRecord &record, QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Fill(record);
}

KVersionRecord TKVersionDialog::OrvellaRecord()
{
    KVersionRecord r;
    r.WindowIconId = 0;
    r.ImageIconId = 1;
    r.BitmapId = 0;
    r.Major = 1;
    r.Minor = 0;
    r.FirstYear = 2025;
    r.LastYear = 2026;
    r.Caption = QStringLiteral("Orvella バージョン情報");
    r.Name = QStringLiteral("Orvella");
    r.Note = QStringLiteral("0");
    r.Author = QStringLiteral("Tolvarin");
    r.Text = QStringLiteral("0");
    return r;
}

QString TKVersionDialog::RightsLine(int firstYear, int lastYear)
{
    QString line = QString::fromLatin1(RightsPrefix) + QString::number(firstYear);
    if (lastYear > 0)
        line += QStringLiteral(" - ") + QString::number(lastYear);
    return line;
}

void TKVersionDialog::Fill(const KVersionRecord &record)
{
    const QFont nameFont = KFontMap::PointFont(QStringLiteral("Calibri"), NamePoints);
    const QFont lineFont = KFontMap::PointFont(QStringLiteral("Calibri"), OtherPoints);
    if (Present(record.Caption))
        setWindowTitle(record.Caption);
    // Wide enough for the title bar to show the whole caption.
    const int windowWidth = std::max(WindowWidth, KWindowCaption::NeededWidth(this));
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    if (record.WindowIconId > 0)
        setWindowIcon(appIcon);

    Image = new QLabel(this);
    Image->setGeometry(10, 5, 32, 32);
    if (record.ImageIconId > 0)
        Image->setPixmap(appIcon.pixmap(32, 32));
    else
        Image->hide();

    TextField = new QPlainTextEdit(this);
    TextField->setReadOnly(true);
    TextField->setFrameShape(QFrame::NoFrame);
    TextField->setFocusPolicy(Qt::NoFocus);
    TextField->setFont(lineFont);
    if (Present(record.Text))
        TextField->setPlainText(record.Text);
    TextField->hide();

    auto centred = [this, windowWidth](const QString &text, const QFont &font) {
        auto *label = new QLabel(text, this);
        label->setFont(font);
        label->adjustSize();
        label->move((windowWidth - label->width()) / 2, 0);
        lines_ << label;
        return label;
    };

    int nextTop = 38;
    if (Present(record.Name)) {
        QLabel *name = centred(record.Name, nameFont);
        const int f = SignedHeight(NamePoints);
        name->setGeometry(name->x(), (f + 26) / 2 + 5, name->width(), 6 - f);
        nextTop = name->geometry().bottom() + 1 + 1;
    }
    QStringList others;
    others << QStringLiteral("Version %1.%2").arg(record.Major).arg(record.Minor);
    if (record.FirstYear > 0)
        others << RightsLine(record.FirstYear, record.LastYear);
    if (Present(record.Author))
        others << record.Author;
    if (Present(record.Note))
        others << record.Note;
    for (const QString &text : others) {
        QLabel *line = centred(text, lineFont);
        line->move(line->x(), nextTop);
        nextTop = line->geometry().bottom() + 1 + 1;
    }

    Button_OK = new QPushButton(QStringLiteral("O K"), this);
    Button_OK->setFont(lineFont);
    Button_OK->setDefault(true);
    const int buttonWidth = WindowWidth / 3;
    const int buttonHeight = Button_OK->sizeHint().height();
    const int lastBottom = lines_.isEmpty() ? 38 : lines_.last()->geometry().bottom() + 1;
    Button_OK->setGeometry((windowWidth - buttonWidth) / 2, lastBottom + 2, buttonWidth, buttonHeight);
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
    resize(windowWidth, WindowHeight);
    setFixedSize(windowWidth, Button_OK->geometry().bottom() + 1 + 8);
}
