#include "OverTempChartRules.h"

#include <algorithm>
#include <cmath>

void OverTempChartRules::addRecords(HourList &hours, const TempAlarmHandleStatisticsList &records)
{
    for (const TempAlarmHandleStatistics &record : records) {
        const int contribution =
                (record.nHandleType == HandleRetest || record.nHandleType == HandleOther)
                        ? record.nCount
                        : 0;
        auto entry = std::find_if(hours.begin(), hours.end(), [&](const QPair<QString, int> &e) {
            return e.first == record.strTime;
        });
        if (entry != hours.end())
            entry->second += contribution;
        else
            hours.append({record.strTime, contribution});
    }
}

QString OverTempChartRules::hourKey(const QString &timeText)
{
    return timeText.length() > 12 ? timeText.mid(11, 2) : timeText;
}

double OverTempChartRules::pointX(const QString &hourKey)
{
    QTime time = QTime::fromString(hourKey, QStringLiteral("hh"));
    if (!time.isValid())
        time = QTime(0, 0);
    const int wholeMinutes = time.msecsSinceStartOfDay() / 60000;
    return wholeMinutes / 5.0;
}

QVector<QPointF> OverTempChartRules::points(const HourList &hours)
{
    QVector<QPointF> result;
    result.reserve(hours.size());
    for (const QPair<QString, int> &entry : hours)
        result.append(QPointF(pointX(hourKey(entry.first)), entry.second));
    return result;
}

int OverTempChartRules::axisTop(int maxCount)
{
    if (maxCount <= 0)
        return 5;
    const int digits = QString::number(maxCount).length();
    if (digits == 1)
        return 10;
    int step = 1;
    for (int i = 1; i < digits; ++i)
        step *= 10;
    return maxCount - maxCount % step + step;
}

QVector<QPair<QString, int>> OverTempChartRules::xAxisLabels()
{
    QVector<QPair<QString, int>> labels;
    for (int hour = 0; hour <= 24; hour += 2)
        labels.append({QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')), hour * 12});
    return labels;
}

QString OverTempChartRules::tipText(const QPointF &point)
{
    const int minutes = static_cast<int>(std::round(point.x())) * 5;
    const QString time = QStringLiteral("%1:%2")
                                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("time: %1  num: %2")
            .arg(time)
            .arg(static_cast<qint64>(std::floor(point.y())));
}

QPoint OverTempChartRules::tipPosition(const QPoint &cursor, const QSize &tip, int widgetWidth)
{
    if (cursor.x() + 10 + tip.width() >= widgetWidth)
        return QPoint(cursor.x() - tip.width() - 15, cursor.y() - 15);
    return QPoint(cursor.x() + 15, cursor.y() - 15);
}

int OverTempChartRules::firstRefreshDelayMs(const QTime &now)
{
    return (3600 - now.minute() * 60 - now.second()) * 1000;
}
