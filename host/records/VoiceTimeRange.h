#pragma once

#include <string>

// One broadcast time range of a strategy: a weekday (0 Sunday .. 6 Saturday) and two times of
// day as "HH-MM" texts, both ends included.
struct VoiceTimeRange
{
    int weekday = -99999;
    std::string start_time;
    std::string end_time;

    bool operator==(const VoiceTimeRange &other) const
    {
        return weekday == other.weekday && start_time == other.start_time
               && end_time == other.end_time;
    }
    bool operator!=(const VoiceTimeRange &other) const { return !(*this == other); }
};
