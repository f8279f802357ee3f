#pragma once

#include <QEvent>

// Values the platform and the host give a meaning to, named once for the whole plug-in. Includes
// nothing of the plug-in, so that every folder may use it.
namespace FeverValues {

// An absent or unset int: the archive id of a stranger, an unset organisation, a failed transfer
// task, an unstored strategy id, an unset AI-detect value.
constexpr int NoValue = -99999;

// Temperature state of a snapshot; any other value counts as normal.
constexpr int TempStateNormal = 0;
constexpr int TempStateOver = 1;
constexpr int TempStateAbnormal = 2;
constexpr int TempStateAbnormalUnusual = 3;

constexpr bool isOverTemperature(int p_nState)
{
    return p_nState == TempStateOver;
}

constexpr bool isAbnormalTemperature(int p_nState)
{
    return p_nState == TempStateAbnormal || p_nState == TempStateAbnormalUnusual;
}

// Mask status of a snapshot: no mask is worn. Every other value raises nothing.
constexpr int MaskStatusNone = 2;

// Cards the snapshot strip and the over-temperature list each keep; older ones make way.
constexpr int MaxListCards = 30;

// Settings switches; readers test for SwitchOn.
constexpr int SwitchOn = 2;
constexpr int SwitchOff = 1;

// Posted events: an asynchronous platform reply, and the state of a file transfer.
constexpr QEvent::Type AsyncReplyEventType = QEvent::Type(2012);
constexpr QEvent::Type TransStateEventType = QEvent::Type(2013);

// Host function cards: search by picture, and the id the screen's video player runs under.
constexpr int FunctionCardSearchByPicture = 27;
constexpr int FunctionIdVideoPlayer = 46;

// Host device tree: show the temperature-screening devices, keep their thermal channels.
constexpr int DeviceShowTempScreening = 12;
constexpr int ChannelFilterThermal = 5;

// File transfer: pictures of the snapshot service, to or from the platform's picture store.
constexpr int TransTypePicture = 0;
constexpr int TransToPlatform = 1;

} // namespace FeverValues
