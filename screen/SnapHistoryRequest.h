#pragma once

#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneCompareNotifyMessage.h"
#include "ReqSnapDataParam.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The history a screen asks for at its first show: no more than its lists can show.
namespace SnapHistoryRequest {

// Longest clear time of the first strategy in seconds, 0 when neither kind is cleared by time
// or there is no strategy.
int clearSeconds(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);

struct Requests
{
    // The newest snapshots the strip can hold.
    ReqSnapDataParam strip;
    // The newest over-temperature alarms the over-temperature list can hold, taken after its
    // last manual clearing.
    ReqSnapDataParam overTempList;
};

// Both cover today from midnight up to `p_objNow`, or with a clear time N the N seconds from
// `p_objNow` on, and leave out what the strategy would drop anyway (strangers it hides, normal
// temperatures when it keeps over-temperature snapshots only), so that the newest few are the
// newest the lists show. `p_strClearOverTempTime` is the snapshot source's clear time, empty
// or unreadable when nothing holds the list back.
Requests build(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy,
               const QStringList &p_strChannelUIDs, const QString &p_strClearOverTempTime,
               const QDateTime &p_objNow);

struct Snapshot
{
    OrvaneCompareNotifyMessage notify;
    // False when only the over-temperature list asked for it: newer ones fill the strip.
    bool bForStrip = true;
};

// The answers to both requests (each oldest first) as one list, oldest first, each snapshot
// once.
std::vector<Snapshot> merge(const OrvaneCompareNotifyMessageList &p_vecStrip,
                            const OrvaneCompareNotifyMessageList &p_vecOverTempList);

} // namespace SnapHistoryRequest
