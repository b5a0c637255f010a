#include "app/dialogs/TKImportDateDialog.h"

#include "platform/qt/KUiText.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

TKImportDateDialog::TKImportDateDialog(QWidget *parent, const QString &fileName, const KCivilDate &initial)
    : QDialog(parent)
{
    setObjectName("TKImportDateDialog");
    setWindowTitle("iCalendar から読み込み");
    auto *form = new QFormLayout(this);
    FileLabel = new QLabel(fileName, this);
    FileLabel->setTextFormat(Qt::PlainText);
    KUiText::MarkUserData(FileLabel);
    form->addRow(new QLabel("ファイル:", this), FileLabel);
    DateEdit = new QDateEdit(QDate(initial.Year, initial.Month, initial.Day), this);
    DateEdit->setObjectName("DateEdit");
    DateEdit->setCalendarPopup(true);
    DateEdit->setDisplayFormat("yyyy-MM-dd");
    DateEdit->setDateRange(QDate(KCivilDate::MinYear, 1, 1), QDate(KCivilDate::MaxYear, 12, 31));
    auto *dateLabel = new QLabel("読み込む日付(&D):", this);
    dateLabel->setBuddy(DateEdit);
    form->addRow(dateLabel, DateEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    DateEdit->setFocus();
}

KCivilDate TKImportDateDialog::Date() const
{
    const QDate d = DateEdit->date();
    return KCivilDate{d.year(), d.month(), d.day()};
}
