#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal on the event loop, so that a
// logout or a kill can end the program as File > Exit does. Any event loop
// sees it, a modal dialog's included.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    explicit SignalCloser(QObject *parent = nullptr);
    ~SignalCloser() override;

Q_SIGNALS:
    void signalled();

private:
    static void onSignal(int);
    void readSignal();

    QSocketNotifier *notifier = nullptr;
};
