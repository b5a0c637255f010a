#pragma once

#include "platform/core/KPlatform.h"
#include "platform/core/KPrompter.h"
#include "week/core/KWeekSchConfig.h"

#include <QDialog>
#include <QString>
#include <array>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

// Makes and changes week schedule files: one schedule file per weekday. It only stores
// paths; it never opens a day schedule itself.
class TKWeekSchCfgDialog : public QDialog {
    Q_OBJECT

public:
    TKWeekSchCfgDialog(QWidget *owner, const KWeekSchConfig &config, int language, const KPlatform &platform);

    void ApplyDialogLanguage();
    // Shows the week schedule file path; a file that cannot be read leaves everything as it was.
    void LoadWeekFile(const QString &path);
    void SetDayFileEntry(int day, const QString &path);
    // Writes the seven day paths to path; true when the file was written.
    bool WriteWeekFile(const QString &path);
    void CopyDayFilesTo(KWeekSchConfig &config) const;
    static QString appendWeekSchFileExtension(const QString &path);
    bool CanCloseDialog();
    KMsgAnswer ShowDialogMessage(int number, const QString &path, KMsgButtons buttons = KMsgButtons::Ok);
    bool IsUsableScheduleFile(const QString &path);
    static QString FileNameOf(const QString &path);

    // Commands of the dialog.
    void NewWeekSchExecute();
    void OpenWeekSchExecute();
    void openFileButtonClick(int day);
    void DaySchFileNameEditKeyDown();
    void SaveExecute();
    void SaveAsExecute();
    void CloseDialogExecute();
    void OpenAutoRdWeekSchExecute();

    int Language = 0;
    bool Changed = false;
    QString WeekFileName;
    QString AutoReadFile;
    std::array<QString, 7> DayFiles;
    bool Saved = true;

    QFrame *MenuPanel = nullptr;
    QToolButton *NewWeekSchButton = nullptr;
    QToolButton *OpenWeekSchButton = nullptr;
    QToolButton *SpeedButton3 = nullptr; // save
    QToolButton *SpeedButton1 = nullptr; // save as
    QFrame *WeekSchListPanel = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *FileNameEdit = nullptr;
    std::array<QFrame *, 7> DayPanels{};
    std::array<QLabel *, 7> DayLabels{};
    std::array<QLineEdit *, 7> DayFileNameEdits{};
    std::array<QToolButton *, 7> DayOpenFileButtons{};
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QMenu *OpenPopupMenu = nullptr;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString WeekFilter() const;
    QString DayFilter() const;
    QAction *MakeAction(const char *name, const QString &caption);

    KPlatform platform_;
};
