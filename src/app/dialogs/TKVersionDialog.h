#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QPlainTextEdit;

// What the version dialog shows. A text field holding "0" counts as absent.
struct KVersionRecord {
    int WindowIconId = 0; // none when 0 or less
    int ImageIconId = 0;  // none when 0 or less; 1 is the application's icon
    int BitmapId = 0;     // none when 0 or less
    int Major = 0, Minor = 0;
    int FirstYear = 0, LastYear = 0; // the last year is left out when 0 or less
    QString Caption = QStringLiteral("0");
    QString Name = QStringLiteral("0");
    QString Note = QStringLiteral("0");
    QString Author = QStringLiteral("0");
    QString Text = QStringLiteral("0");
};

// A small dialog with the product name, version, rights line and author, and an OK button.
class TKVersionDialog : public QDialog {
public:
    explicit TKVersionDialog(QWidget *parent = nullptr);
    TKVersionDialog(const KVersionRecord &record, QWidget *parent = nullptr);

    // The record the Help > version command fills for this program.
    static KVersionRecord OrvellaRecord();
    static QString RightsLine(int firstYear, int lastYear);
    static bool Present(const QString &field) { return field != QStringLiteral("0"); }

    // The shown lines in order (name, version, rights, author, note), absent ones left out.
    QList<QLabel *> Lines() const { return lines_; }
    QLabel *Image = nullptr;
    QPushButton *Button_OK = nullptr;
    QPlainTextEdit *TextField = nullptr;

    static constexpr const char *RightsPrefix = "Copyright (C) ";

private:
    void Fill(const KVersionRecord &record);

    QList<QLabel *> lines_;
};
