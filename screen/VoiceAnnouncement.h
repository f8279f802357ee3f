#pragma once

#include "FeverValues.h"

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QString>

#include <vector>

class QDate;

// What the screen says about a live snapshot, decided without the screen: the strategy that
// serves the person, whether the strategy speaks at this weekday and time, and the sentence.
namespace VoiceAnnouncement {

// The six values a snapshot card sends for its announcement.
struct TempVoiceInfo
{
    QString name; // matched person's name, empty for a stranger
    QString temp; // temperature as a number without unit
    int temperatureState = FeverValues::TempStateNormal;
    QString time; // "HH:mm:ss"
    int archiveGroupId = FeverValues::NoValue;
    int maskStatus = 0; // FeverValues::MaskStatusNone: no mask worn
};

// Everything the sentence depends on besides the strategies and the snapshot.
struct VoiceContext
{
    int weekday = 0;  // 0 Sunday .. 6 Saturday
    int language = 1; // the host's current language value
    bool fahrenheit = false;
};

// 0 for Sunday, 1 Monday .. 6 Saturday, as the broadcast time ranges count them.
int weekdayOf(const QDate &date);

// Seconds of the day of an "HH:mm:ss" time, read from characters 0-1, 3-4 and 6-7; -1 unless it
// is exactly 8 characters long with numbers there.
int secondsOfDay(const QString &time);

// A registered person (group set and a name) takes the first registry strategy serving the
// group; anyone else the first stranger strategy. A default-constructed strategy (everything
// off, no time ranges) when none applies, so a registered person whose group no registry
// strategy serves is never announced with the stranger strategy.
ST_MSGVoiceBroadcastStrategy
chooseStrategy(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies, const QString &name,
               int archiveGroupId);

// Whether one of the strategy's ranges for the weekday holds the time, both ends included.
bool isInBroadcastTime(const ST_MSGVoiceBroadcastStrategy &strategy, int weekday,
                       const QString &time);

// The sentence the strategy makes of the snapshot, in its order: name, time, temperature, mask,
// verdict and greeting. Empty when the strategy's switches leave nothing to say.
QString composeSentence(const ST_MSGVoiceBroadcastStrategy &strategy, const TempVoiceInfo &info,
                        const VoiceContext &context);

// The whole decision: strategy, time window and sentence. Empty when nothing is to be said.
QString announcement(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies,
                     const TempVoiceInfo &info, const VoiceContext &context);

// The sound button's "stated": "close" while the user has announcements off, otherwise
// "unavailable" while the speech engine gives up every sentence, otherwise "open".
const char *soundButtonState(bool soundOn, bool speechAvailable);

} // namespace VoiceAnnouncement
