#pragma once

#include "model/KCivilDate.h"

#include <QDialog>

class QDateEdit;
class QLabel;

// Asks for the date whose events an iCalendar file gives, today first.
class TKImportDateDialog : public QDialog {
public:
    TKImportDateDialog(QWidget *parent, const QString &fileName, const KCivilDate &initial);

    KCivilDate Date() const;

    QLabel *FileLabel = nullptr;
    QDateEdit *DateEdit = nullptr;
};
