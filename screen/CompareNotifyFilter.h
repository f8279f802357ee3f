#pragma once

#include "CompareInfo.h"
#include "IntelligentSnapConfigParam.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneCompareNotifyMessage.h"
#include "OrvaneSnapTargetSource.h"

#include <QString>

#include <vector>

// What the screening screen does with one comparison notification, and where an accepted
// snapshot is shown. Widget-free, so the rules can be checked without building a screen.
class CompareNotifyFilter
{
public:
    // Archive picture of strangers and of matches without a registered face.
    static const QString &noDataArchivePicture();

    struct Acceptance
    {
        // The face-library matches to build snapshot records for, in notification order;
        // empty when the notification is dropped.
        std::vector<CompareInfo> matches;
        // Dropped only because it has no match and the strategy hides strangers, which the
        // screen reports in its log.
        bool bHiddenWithoutMatch = false;
    };

    // `p_pFirstStrategy` is the window's first strategy, null when the window has none. Writes
    // the "URL:" line once the device and channel gates pass.
    static Acceptance
    acceptedMatches(const OrvaneCompareNotifyMessage &p_objNotify,
                    const IntelligentSnapConfigParam &p_objSnapSource,
                    const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);

    // Device kind and skip marker: the notification comes from a thermal device and may be used.
    static bool isUsableSource(const OrvaneSnapTargetSource &p_objSource);
    // The channel is screened by the window's selection.
    static bool isSelectedChannel(const QString &p_strChannelUID,
                                  const IntelligentSnapConfigParam &p_objSnapSource);
    static bool showsStrangers(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);
    // The strategy's record mode keeps over-temperature snapshots only.
    static bool showsOverTempOnly(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);

    // The snapshot goes to the over-temperature list: measured, over temperature, flagged for
    // the list and taken after the last manual clearing (an empty clear time never holds back).
    static bool belongsInOverTempList(const OrvaneSnapTargetSource &p_objSource,
                                      const QString &p_strClearOverTempTime);
    // The carousel over the video takes snapshots only in the display and thermometry modes
    // that leave room for it.
    static bool showsInPictureFlow(const OrvaneAiCompareVoiceBroadcastStrategy *p_pFirstStrategy);
    // A device of organisation `p_strDeviceGroupCode` counts into the totals of organisation
    // `p_strScreenGroupCode` when it lies in it or below it.
    static bool countsForOrganisation(const QString &p_strDeviceGroupCode,
                                      const QString &p_strScreenGroupCode);
};
