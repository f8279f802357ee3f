#pragma once

#include <string>

// Texts shown for one temperature state (0 normal, 1 over-temperature, 3 abnormal): a message
// and a short verdict.
struct ScreenTextItem
{
    int state = 0;
    std::string text;
    std::string result;

    bool operator==(const ScreenTextItem &other) const
    {
        return state == other.state && text == other.text && result == other.result;
    }
    bool operator!=(const ScreenTextItem &other) const { return !(*this == other); }
};
