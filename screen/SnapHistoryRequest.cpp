#include "SnapHistoryRequest.h"

#include <QLocale>

#include <algorithm>

namespace SnapHistoryRequest {

int clearSeconds(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy)
{
    if (!p_pFirstStrategy)
        return 0;
    const int overTemp = p_pFirstStrategy->over_temp_clear_time;
    const int normal = p_pFirstStrategy->normal_temp_clear_time;
    if (overTemp > 0 || normal > 0)
        return std::max(overTemp, normal);
    return 0;
}

ReqSnapDataParam build(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy,
                       const QStringList &p_strChannelUIDs, const QDateTime &p_objNow)
{
    // The platform reads these texts with English digits whatever the user's locale.
    const QLocale english(QLocale::English);
    const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    ReqSnapDataParam param;
    const int seconds = clearSeconds(p_pFirstStrategy);
    if (seconds > 0) {
        param.strStartTime = english.toString(p_objNow, timeFormat);
        param.strEndTime = english.toString(p_objNow.addSecs(seconds), timeFormat);
    } else {
        param.strStartTime = english.toString(p_objNow, QStringLiteral("yyyy-MM-dd 00:00:00"));
        param.strEndTime = english.toString(p_objNow, timeFormat);
    }
    param.strChannelUIDList = p_strChannelUIDs;
    return param;
}

} // namespace SnapHistoryRequest
