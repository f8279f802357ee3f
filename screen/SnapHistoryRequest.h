#pragma once

#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "ReqSnapDataParam.h"

#include <QDateTime>
#include <QStringList>

// The history a screen asks for at its first show.
namespace SnapHistoryRequest {

// Longest clear time of the first strategy in seconds, 0 when neither kind is cleared by time
// or there is no strategy.
int clearSeconds(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);

// Today from midnight up to `p_objNow`; with a clear time N, from `p_objNow` to N seconds later.
ReqSnapDataParam build(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy,
                       const QStringList &p_strChannelUIDs, const QDateTime &p_objNow);

} // namespace SnapHistoryRequest
