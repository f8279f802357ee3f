#pragma once

#include <QString>

// Conversion between stored schedule bounds ("hh-mm", "00-00" to "24-00") and seconds of the
// day. "24-00" is 86400 so that a range ending there covers the last second of the day.
class ScheduleTime
{
public:
    static constexpr int kSecondsPerDay = 86400;

    // Seconds of the day; -1 for anything that is not a valid "hh-mm" bound.
    static int timeFormatConvert(const QString &hhmm);
    // "hh-mm" of the minute the seconds fall in; empty outside 0..86400.
    static QString timeFormatConvert(int seconds);
};
