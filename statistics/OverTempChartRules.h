#pragma once

#include "TempAlarmHandleStatistics.h"

#include <QPair>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QTime>
#include <QVector>

// What the over-temperature chart decides, apart from its widgets: the hour list built from the
// platform's handling records, where an hour lies on the x axis, the y axis top, the hover tip
// and the refresh timing.
class OverTempChartRules
{
public:
    // Handling types that count as handled alarms; any other type keeps its hour at 0.
    static constexpr int HandleRetest = 0;
    static constexpr int HandleOther = 2;
    static constexpr int RefreshIntervalMs = 3600000;
    // The x axis runs in five-minute steps over the day.
    static constexpr int XAxisMax = 288;

    using HourList = QVector<QPair<QString, int>>;

    // Adds the records to the list: one entry per time text, in order of first appearance.
    static void addRecords(HourList &hours, const TempAlarmHandleStatisticsList &records);
    // Characters 11 and 12 of a "yyyy-MM-dd hh" text; a shorter text is its own key.
    static QString hourKey(const QString &timeText);
    // Five-minute steps since midnight of the key's hour; an unreadable hour counts as midnight.
    static double pointX(const QString &hourKey);
    static QVector<QPointF> points(const HourList &hours);
    // Y axis top: 5 for no counts, else the largest count rounded up past its leading digit.
    static int axisTop(int maxCount);
    // Labels "00:00" to "24:00" every two hours, with their x.
    static QVector<QPair<QString, int>> xAxisLabels();

    static QString tipText(const QPointF &point);
    // Right of the cursor, or left of it where the tip would reach the widget's right edge.
    static QPoint tipPosition(const QPoint &cursor, const QSize &tip, int widgetWidth);

    // Milliseconds from now to the next full hour.
    static int firstRefreshDelayMs(const QTime &now);
};
