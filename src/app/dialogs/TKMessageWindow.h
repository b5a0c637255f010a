#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A modeless message window; several may be open at once, each closed by its own OK button.
class TKMessageWindow : public QDialog {
    Q_OBJECT

public:
    explicit TKMessageWindow(QWidget *parent = nullptr);

    // Lays the window out for the text and shows it at (left, top) without waiting.
    void ShowMessage(const QString &title, const QString &text, int top, int left);

    QLabel *MessageLabel = nullptr;
    QPushButton *OKButton = nullptr;
};
