#include "System.h"

#include <atomic>
#include <chrono>

namespace {

std::atomic<qint64> g_offsetSeconds{0};

} // namespace

qint64 System::getSecondCount()
{
    // The steady clock counts from the system boot, so readings start well above zero.
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(sinceBoot).count()
           + g_offsetSeconds.load();
}

void System::advanceSecondCount(qint64 seconds)
{
    g_offsetSeconds += seconds;
}

bool System::isHaveTheAIdetectType(int aiDetect, int type)
{
    if (aiDetect < 0 || type < 0 || type > 30)
        return false;
    return (aiDetect & (1 << type)) != 0;
}

int System::aiDetectValue(std::initializer_list<int> types)
{
    int value = 0;
    for (int type : types) {
        if (type >= 0 && type <= 30)
            value |= 1 << type;
    }
    return value;
}
