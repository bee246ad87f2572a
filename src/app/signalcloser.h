#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into an ordinary close on the event loop, so a
// logout or a kill stores the play and writes the settings like File > Exit.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(std::function<void()> close, QObject *parent = nullptr);
    ~SignalCloser() override;

private:
    static void onSignal(int);
    void readSignal();

    std::function<void()> close;
    QSocketNotifier *notifier = nullptr;
};
