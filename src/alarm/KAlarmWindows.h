#pragma once

#include "alarm/core/KSchAlarmNotifier.h"

#include <QObject>
#include <QPointer>
#include <functional>

class TKAlarmPopUpDialog;
class TKMessageWindow;

// The alarm's windows: one popup at a time (updated by a later alarm while it is open)
// and an error window per sound-file problem. Neither has an owner window.
class KAlarmWindows : public QObject, public KSchAlarmNotifier {
    Q_OBJECT

public:
    explicit KAlarmWindows(QObject *parent = nullptr);
    ~KAlarmWindows() override;

    void ShowAlarmPopup(const KSchAlarmPopupInfo &info) override;
    void ShowAlarmError(int code, int language) override;
    // A new error window ("アラーム エラー") with the message, its top-left corner at the
    // centre of the screen. It deletes itself when closed.
    static TKMessageWindow *OpenErrorWindow(int code, int language);
    // Closes every window the alarm opened (the program is ending).
    void CloseAll();

    // Stops the alarm sound; given to each popup.
    std::function<void()> StopHandler;
    QPointer<TKAlarmPopUpDialog> Popup;
    QPointer<TKMessageWindow> ErrorWindow;

private:
    QList<QPointer<TKMessageWindow>> errorWindows_;
};
