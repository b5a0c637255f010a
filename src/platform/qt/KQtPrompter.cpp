#include "platform/qt/KQtPrompter.h"

#include "platform/qt/KWindowCaption.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

KMsgAnswer KQtPrompter::Ask(const std::u16string &caption, const std::u16string &text, KMsgIcon icon,
                            KMsgButtons buttons)
{
    QMessageBox box(owner_.data());
    box.setWindowTitle(QString::fromStdU16String(caption));
    // Messages name files and quote their texts: whatever they hold is shown as written,
    // never as markup or links.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdU16String(text));
    switch (icon) {
    case KMsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case KMsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case KMsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case KMsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case KMsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case KMsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case KMsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case KMsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case KMsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The box is at least as wide as its title bar needs to show the whole caption.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(KWindowCaption::NeededWidth(&box), 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return KMsgAnswer::Ok;
    case QMessageBox::Yes:
        return KMsgAnswer::Yes;
    case QMessageBox::No:
        return KMsgAnswer::No;
    default:
        // Closing the box with the window button counts as the safe answer.
        return buttons == KMsgButtons::Ok      ? KMsgAnswer::Ok
               : buttons == KMsgButtons::YesNo ? KMsgAnswer::No
                                               : KMsgAnswer::Cancel;
    }
}
