#include "platform/clock.h"

#include <QLocale>

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemClock::dateTimeText(const QDateTime &moment) const
{
    // The time without a zone name, so that date and time fit the 20
    // characters the play header keeps for them.
    return QLocale::system().toString(moment.date(), QLocale::ShortFormat) + u' '
        + moment.time().toString(QStringLiteral("HH:mm:ss"));
}
