#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask a program to end (SIGTERM from a shutdown, a logout or kill;
// SIGINT from Ctrl+C) into a Qt signal of the event loop, so that the planner ends the ordinary
// way and keeps its settings. The handler only writes one byte into a pipe, which is all a
// signal handler may safely do; a second such signal ends the program at once, as usual.
// One object at a time; the handlers are put back when it goes. Does nothing on Windows.
class KEndSignals : public QObject {
    Q_OBJECT

public:
    explicit KEndSignals(QObject *parent = nullptr);
    ~KEndSignals() override;
    KEndSignals(const KEndSignals &) = delete;
    KEndSignals &operator=(const KEndSignals &) = delete;

signals:
    // The number of the signal that came.
    void EndRequested(int signal);

private:
    void ReadPending();

    QSocketNotifier *notifier_ = nullptr;
};
