#include "ScheduleTime.h"

#include <QDebug>
#include <QRegularExpression>

int ScheduleTime::timeFormatConvert(const QString &hhmm)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch match = pattern.match(hhmm);
    if (!match.hasMatch()) {
        qDebug() << "ScheduleTime::timeFormatConvert malformed time" << hhmm;
        return -1;
    }
    const int hours = match.capturedRef(1).toInt();
    const int minutes = match.capturedRef(2).toInt();
    if (minutes > 59 || hours > 24 || (hours == 24 && minutes != 0)) {
        qDebug() << "ScheduleTime::timeFormatConvert time out of range" << hhmm;
        return -1;
    }
    return (hours * 60 + minutes) * 60;
}

QString ScheduleTime::timeFormatConvert(int seconds)
{
    if (seconds < 0 || seconds > kSecondsPerDay) {
        qDebug() << "ScheduleTime::timeFormatConvert seconds out of range" << seconds;
        return QString();
    }
    const int minutesOfDay = seconds / 60;
    return QStringLiteral("%1-%2")
            .arg(minutesOfDay / 60, 2, 10, QLatin1Char('0'))
            .arg(minutesOfDay % 60, 2, 10, QLatin1Char('0'));
}
