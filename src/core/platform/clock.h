#pragma once

#include <QDateTime>
#include <QString>

// The time of day and how the program writes it, as the user's system would
// show it: short date, a blank, the time. Tests use a fixed clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual QString dateTimeText(const QDateTime &moment) const = 0;

    QString nowText() const { return dateTimeText(now()); }
};

// The system clock in the system's date format.
class SystemClock : public Clock {
public:
    QDateTime now() const override;
    QString dateTimeText(const QDateTime &moment) const override;
};
