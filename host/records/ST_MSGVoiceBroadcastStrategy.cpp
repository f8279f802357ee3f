#include "ST_MSGVoiceBroadcastStrategy.h"

bool ST_MSGVoiceBroadcastStrategy::operator==(const ST_MSGVoiceBroadcastStrategy &other) const
{
    return OrvaneAiCompareVoiceBroadcastStrategy::operator==(other)
           && vecTimeRange == other.vecTimeRange && vecPersonGroupId == other.vecPersonGroupId
           && vecScreenText == other.vecScreenText;
}

int ST_MSGVoiceBroadcastStrategy::registerMetaType()
{
    qRegisterMetaType<std::vector<ST_MSGVoiceBroadcastStrategy>>(
            "std::vector<ST_MSGVoiceBroadcastStrategy>");
    return qRegisterMetaType<ST_MSGVoiceBroadcastStrategy>("ST_MSGVoiceBroadcastStrategy");
}

namespace {
// Queued signals and QVariant look-ups by name work as soon as the library is loaded.
const int g_registered = ST_MSGVoiceBroadcastStrategy::registerMetaType();
} // namespace
