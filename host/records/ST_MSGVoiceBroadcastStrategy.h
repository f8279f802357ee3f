#pragma once

#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "ScreenTextItem.h"
#include "VoiceTimeRange.h"

#include <QMetaType>

#include <vector>

// A strategy record together with its broadcast times, the person groups it serves and the
// screen texts of its window.
class ST_MSGVoiceBroadcastStrategy : public OrvaneAiCompareVoiceBroadcastStrategy
{
public:
    ST_MSGVoiceBroadcastStrategy() = default;
    explicit ST_MSGVoiceBroadcastStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &record)
        : OrvaneAiCompareVoiceBroadcastStrategy(record)
    {
    }

    bool operator==(const ST_MSGVoiceBroadcastStrategy &other) const;
    bool operator!=(const ST_MSGVoiceBroadcastStrategy &other) const { return !(*this == other); }

    std::vector<VoiceTimeRange> vecTimeRange;
    std::vector<int> vecPersonGroupId;
    std::vector<ScreenTextItem> vecScreenText;

    // Registers the meta-type under its name; done once when the library loads, callable again.
    static int registerMetaType();
};

Q_DECLARE_METATYPE(ST_MSGVoiceBroadcastStrategy)
Q_DECLARE_METATYPE(std::vector<ST_MSGVoiceBroadcastStrategy>)
