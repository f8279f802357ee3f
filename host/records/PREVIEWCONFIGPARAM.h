#pragma once

#include <QMetaType>
#include <QPair>
#include <QString>
#include <QVector>

// Saved video layout of a preview window. A non-empty strLayoutId means a layout was saved;
// strLayoutMode holds the layout mode in decimal.
struct PREVIEWCONFIGPARAM
{
    QString strLayoutName;
    QString strLayoutId;
    QString strLayoutMode;
    QString strReserve1;
    QString strReserve2;
    QVector<QPair<int, int>> vecLayoutList;
    int nReserve1 = 1;
    int nReserve2 = -1;
    int nPicInPic = 0;
    QVector<QString> vecPicInPicPos;
    qint64 llReserve = 0;
    bool bReserve1 = true;
    bool bReserve2 = true;
    bool bReserve3 = false;
    int nReserve3 = 0;

    bool operator==(const PREVIEWCONFIGPARAM &other) const
    {
        return strLayoutName == other.strLayoutName && strLayoutId == other.strLayoutId
               && strLayoutMode == other.strLayoutMode && strReserve1 == other.strReserve1
               && strReserve2 == other.strReserve2 && vecLayoutList == other.vecLayoutList
               && nReserve1 == other.nReserve1 && nReserve2 == other.nReserve2
               && nPicInPic == other.nPicInPic && vecPicInPicPos == other.vecPicInPicPos
               && llReserve == other.llReserve && bReserve1 == other.bReserve1
               && bReserve2 == other.bReserve2 && bReserve3 == other.bReserve3
               && nReserve3 == other.nReserve3;
    }
    bool operator!=(const PREVIEWCONFIGPARAM &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(PREVIEWCONFIGPARAM)
