#include "app/dialogs/TKMessageWindow.h"

#include "platform/qt/KWindowCaption.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

TKMessageWindow::TKMessageWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("TKMessageWindow");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    MessageLabel = new QLabel(this);
    MessageLabel->setObjectName("MessageLabel");
    MessageLabel->setWordWrap(true);
    MessageLabel->setTextFormat(Qt::PlainText);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->resize(75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
}

void TKMessageWindow::ShowMessage(const QString &title, const QString &text, int top, int left)
{
    setWindowTitle(title);
    MessageLabel->setText(text);

    const QFontMetrics metrics(MessageLabel->font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    int width;
    if (w < 150)
        width = 150;
    else if (w <= 500)
        width = w + 25;
    else
        width = 500;
    // Wide enough for the title bar to show the whole caption.
    width = std::max(width, std::min(500, KWindowCaption::NeededWidth(this)));
    const int labelWidth = width - 25;
    const int lines = w / labelWidth + (w % labelWidth != 0 ? 1 : 0);
    int labelHeight = h * (lines > 0 ? lines : 1);
    // Wrapping at word boundaries can need a line more than the width alone says;
    // the text is never cut off.
    const int wrapped =
        metrics.boundingRect(QRect(0, 0, labelWidth, 100000), Qt::TextWordWrap | Qt::AlignLeft, text)
            .height();
    if (wrapped > labelHeight)
        labelHeight = wrapped;
    MessageLabel->setGeometry(10, 8, labelWidth, labelHeight);
    OKButton->move((width - OKButton->width()) / 2, MessageLabel->y() + MessageLabel->height() + 10);
    setFixedSize(width, MessageLabel->height() + OKButton->height() + 60);
    move(left, top);
    show();
}
