#pragma once

#include "OrvaneSnapTargetSource.h"

#include <QString>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The widgets of the handling dialog and the alarm it shows. The widgets belong to the dialog
// (Qt parents); this only points at them.
struct OverTemperatureProcessForm
{
    OrvaneSnapTargetSource objSource;
    QString strRemoteSnapPicture; // the snapshot picture on the platform
    QString strSnapPicture;       // local cache paths
    QString strArchivePicture;    // empty for a stranger
    bool bStranger = true;
    int nDownloadTask = -99999;

    QLabel *pTitle = nullptr;
    QLabel *pSnapPicture = nullptr;
    QLabel *pArchivePicture = nullptr;
    QLabel *pNameCaption = nullptr;
    QLabel *pName = nullptr;
    QLabel *pTemperatureCaption = nullptr;
    QLabel *pTemperature = nullptr;
    QLabel *pDeviceCaption = nullptr;
    QLabel *pDevice = nullptr;
    QLabel *pTimeCaption = nullptr;
    QLabel *pTime = nullptr;
    QLabel *pHandleCaption = nullptr;
    QButtonGroup *pHandleType = nullptr;
    QLabel *pNoteCaption = nullptr;
    QPlainTextEdit *pNote = nullptr;
    QPushButton *pOpenRecord = nullptr;
    QPushButton *pSave = nullptr;
    QPushButton *pCancel = nullptr;
};
