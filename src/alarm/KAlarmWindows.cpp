#include "alarm/KAlarmWindows.h"

#include "alarm/TKAlarmPopUpDialog.h"
#include "app/dialogs/TKMessageWindow.h"
#include "model/KMessageCatalog.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QPoint ScreenCentre()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().center() : QPoint(512, 384);
}
} // namespace

KAlarmWindows::KAlarmWindows(QObject *parent) : QObject(parent) {}

KAlarmWindows::~KAlarmWindows()
{
    CloseAll();
}

void KAlarmWindows::ShowAlarmPopup(const KSchAlarmPopupInfo &info)
{
    const bool created = !Popup;
    if (created) {
        Popup = new TKAlarmPopUpDialog(nullptr);
        Popup->StopHandler = [this] {
            if (StopHandler)
                StopHandler();
        };
    }
    Popup->SetLanguage(info.Language);
    Popup->SetLeadMinutes(info.LeadMinutes);
    Popup->SetLateMinutes(info.LateMinutes);
    Popup->SetEndingFrame(info.EndingFrame);
    Popup->SetNextFrame(info.NextFrame);
    Popup->ReleaseOnClose = true;
    Popup->SetPanelColor(info.PanelColor);
    if (created) {
        const QPoint c = ScreenCentre();
        Popup->move(c.x() - Popup->width() / 2, c.y() - Popup->height() / 2);
    }
    Popup->show();
    Popup->raise();
}

TKMessageWindow *KAlarmWindows::OpenErrorWindow(int code, int language)
{
    auto *window = new TKMessageWindow(nullptr);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const QPoint c = ScreenCentre();
    window->ShowMessage(QString::fromStdU16String(language == 1 ? u"Alarm Error " : u"アラーム エラー"),
                        QString::fromStdU16String(KMessageCatalog::Text(code, language)), c.y(), c.x());
    return window;
}

void KAlarmWindows::ShowAlarmError(int code, int language)
{
    TKMessageWindow *window = OpenErrorWindow(code, language);
    ErrorWindow = window;
    errorWindows_.removeIf([](const QPointer<TKMessageWindow> &w) { return w.isNull(); });
    errorWindows_.append(window);
}

void KAlarmWindows::CloseAll()
{
    delete Popup.data();
    for (const QPointer<TKMessageWindow> &w : errorWindows_)
        delete w.data();
    errorWindows_.clear();
}
