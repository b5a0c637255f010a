#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The schedule-error dialog of the check on leaving scheduling mode: what is wrong and three
// ways on (adjust, re-schedule, cancel and quit).
class TKSchConfSimpleDialog : public QDialog {
public:
    enum { ChoiceAdjust = 0, ChoiceRetrieve = 1, ChoiceCancel = 2 };

    explicit TKSchConfSimpleDialog(QWidget *owner = nullptr);

    // Fills the message for code 1..9, places the dialog at the screen point (x, y), shows it
    // modally and answers Choice. Closing it any way but OK answers adjust.
    int ShowCheckResult(int code, int x, int y);
    // Fills the message and the captions without showing the dialog.
    void Prepare(int code, int x, int y);
    void SetChoiceCaptions(int language);
    void ButtonOKClick();

    int Language = 0;
    int Choice = ChoiceAdjust;

    QPlainTextEdit *ConflictMsg = nullptr;
    QFrame *Panel1 = nullptr;
    QRadioButton *RadioButtonMAN = nullptr;
    QRadioButton *RadioButtonRETRIEVE = nullptr;
    QRadioButton *RadioButtonCANCEL = nullptr;
    QPushButton *ButtonOK = nullptr;

private:
    static constexpr int BaseRadioWidth = 240;
    static constexpr int BaseMessageWidth = 281;
    static constexpr int BaseMessageHeight = 49;
    void FitTexts();
};
