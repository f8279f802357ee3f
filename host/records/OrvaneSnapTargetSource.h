#pragma once

#include <QMetaType>
#include <QString>

// Where a face snapshot came from and what was measured. Fields are read directly by the
// notification consumers; ints that can be unknown default to -99999.
struct OrvaneSnapTargetSource
{
    QString serverUID;          // platform server that stores the pictures
    QString snapDetailImageURL; // snapshot picture on that server
    QString channelUID;         // "<device UID>_<channel number>"
    int deviceTypeId = 0;
    QString snapTime;       // "yyyy-MM-dd hh:mm:ss"
    int skipFlag = 0;       // non-zero: the platform asks consumers to ignore the snapshot
    int compareResult = 0;  // 1: the face was matched in a face library
    int hasTemperature = 0; // 1: a temperature was measured
    double temperature = 0.0;
    int temperatureState = 0; // 0 normal, 1 over-temperature, 2 and 3 abnormal
    int overTempListFlag = 0; // non-zero: the snapshot belongs in the over-temperature list
    int alarmId = -99999;     // alarm record raised for the snapshot, if any
};

Q_DECLARE_METATYPE(OrvaneSnapTargetSource)
