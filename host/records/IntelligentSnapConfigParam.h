#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

// Per-window snapshot source: which channels a screening window listens to and which
// organisation its statistics follow.
struct IntelligentSnapConfigParam
{
    bool bAllChannel = false;
    int nChannelCount = 0;
    QStringList strChannelUIDList;
    QString strClearOverTempTime; // "yyyy-MM-dd hh:mm:ss" of the last manual clearing
    int nOrgaId = 0;
    int nStatisticsType = 0;

    bool operator==(const IntelligentSnapConfigParam &other) const
    {
        return bAllChannel == other.bAllChannel && nChannelCount == other.nChannelCount
               && strChannelUIDList == other.strChannelUIDList
               && strClearOverTempTime == other.strClearOverTempTime && nOrgaId == other.nOrgaId
               && nStatisticsType == other.nStatisticsType;
    }
    bool operator!=(const IntelligentSnapConfigParam &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(IntelligentSnapConfigParam)
