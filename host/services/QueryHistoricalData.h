#pragma once

#include "OrvaneCompareNotifyMessage.h"
#include "ReqSnapDataParam.h"

#include <QObject>

// Asks the platform for the snapshot notifications it emitted in a time window. Synchronous
// requests deliver the answer through signalHistoryCompareNotifyReceived before
// reqSnapHistoryData returns; asynchronous ones from the event loop, as long as this object
// lives.
class QueryHistoricalData : public QObject
{
    Q_OBJECT
public:
    explicit QueryHistoricalData(QObject *parent = nullptr);

    // False (nothing emitted) when a time text (window or strNewerThan) is malformed or the
    // store cannot be read; otherwise the signal carries the matching notifications, oldest
    // first, possibly none.
    bool reqSnapHistoryData(const ReqSnapDataParam &param, bool async);

signals:
    void signalHistoryCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys);

private:
    bool run(const ReqSnapDataParam &param);
};
