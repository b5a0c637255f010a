#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

// Answers the next modal dialog from inside its own event loop, as the user would.
// Make one before the command that opens the dialog. Whatever the answer does, a dialog
// still open afterwards is rejected, so a test never hangs on it; Seen() tells whether a
// dialog came within the time allowed.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QDialog *)> answer, int timeoutMs = 10000)
        : answer_(std::move(answer)), deadline_(timeoutMs)
    {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start();
    }

    bool Seen() const { return seen_; }

private:
    void Poll()
    {
        if (auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            poll_.stop();
            seen_ = true;
            answer_(dlg);
            if (dlg->isVisible())
                dlg->reject();
        } else if (deadline_.hasExpired()) {
            poll_.stop();
        }
    }

    std::function<void(QDialog *)> answer_;
    QDeadlineTimer deadline_;
    QTimer poll_;
    bool seen_ = false;
};
