#pragma once

#include <QString>
#include <QStringList>

// A history request: the time window as "yyyy-MM-dd HH:mm:ss" texts (both ends included) and
// the channels wanted. nMaxCount > 0 keeps only the newest so many snapshots.
struct ReqSnapDataParam
{
    QString strStartTime;
    QString strEndTime;
    QStringList strChannelUIDList;
    int nMaxCount = 0;
};
