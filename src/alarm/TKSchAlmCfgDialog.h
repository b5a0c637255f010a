#pragma once

#include "alarm/core/KSchAlarmConfig.h"
#include "alarm/core/KSoundReview.h"
#include "platform/core/KPlatform.h"

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;
class KSoundFilePlayer;
class TKMessageWindow;

// The alarm configuration dialog: alarm types, the four alarm points, each point's sound
// (a built-in one or a file) and listening to a sound before choosing it. It edits a copy;
// WriteConfig hands the result back.
class TKSchAlmCfgDialog : public QDialog {
    Q_OBJECT

public:
    TKSchAlmCfgDialog(QWidget *owner, const KSchAlarmConfig &config, int language, const KPlatform &platform);
    ~TKSchAlmCfgDialog() override;

    // A four-point configuration from the controls, assigned to target.
    void WriteConfig(KSchAlarmConfig &target) const;

    bool ConfigTouched = false;
    int Language = 0;
    std::array<QString, 4> SoundPaths;
    KSoundReview *Review() { return review_.get(); }
    QPointer<TKMessageWindow> ErrorWindow;

    // One row per alarm point.
    struct PointRow {
        QFrame *Panel = nullptr;
        QCheckBox *CheckBox = nullptr;
        QToolButton *ReproButton = nullptr;
        QRadioButton *ResRButton = nullptr;
        QComboBox *ComboBox = nullptr;
        QRadioButton *FileRButton = nullptr;
        QLineEdit *Edit = nullptr;
        QPushButton *FileOpenSButton = nullptr;
    };
    std::array<PointRow, 4> Rows;

    QFrame *AlarmConfigPanel = nullptr;
    QLabel *AlarmConfigLabel = nullptr;
    QLabel *AlarmOnOffLabel = nullptr;
    QCheckBox *AlarmCheckBox = nullptr;
    QCheckBox *PopupCheckBox = nullptr;
    QFrame *AlarmSoundConfigPanel = nullptr;
    QLabel *AlarmSoundConfigLabel = nullptr;
    QLineEdit *UserMinEdit = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QTimer *Timer1 = nullptr;

    // The file-dialog filter for a language ("text|patterns|...").
    static std::u16string FileFilter(int language);

    // Handlers (public so that the behaviour can be driven directly).
    void ReproButtonClick(int point);
    void openAlarmConfigDialog(int point);
    void UserMinEditKeyUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void BuildControls();
    void SetCaptions();
    void FitRowCaptions();
    void LoadConfig(const KSchAlarmConfig &config);
    void ShowReviewState();
    void ShowError(int code);
    void ShowFileName(int point);
    void closeDialog();
    bool SoundFileEditKeyDown(int point, QKeyEvent *key);

    KPlatform platform_;
    std::unique_ptr<KSoundFilePlayer> MediaPlayer1;
    std::unique_ptr<KSoundReview> review_;
    bool closed_ = false;
};
