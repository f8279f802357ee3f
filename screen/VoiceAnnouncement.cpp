#include "VoiceAnnouncement.h"

#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "ScheduleTime.h"

#include <QDate>
#include <QDebug>

#include <algorithm>

namespace VoiceAnnouncement {

namespace {

constexpr int RegistryStrategy = 1;
constexpr int StrangerStrategy = 2;
// The strategy's mask type that asks for the no-mask phrase.
constexpr int MaskTypeNoMask = 2;

using FeverValues::isAbnormalTemperature;
using FeverValues::isOverTemperature;

bool isOn(int value)
{
    return value == FeverValues::SwitchOn;
}

QString translated(const std::string &stored)
{
    return AppLanguageTr::translate(QString::fromStdString(stored));
}

QString numberAndUnit(const TempVoiceInfo &info, const VoiceContext &context)
{
    QString number = info.temp;
    if (context.language == AppTranslationHelper::Chinese)
        number.replace(QLatin1Char('.'), AppLanguageTr::translate(QStringLiteral("TK_And")));
    const QString unit =
            AppLanguageTr::translate(context.fahrenheit ? QStringLiteral("TK_DegreesFahrenheit")
                                                        : QStringLiteral("TK_Degrees"));
    return QLatin1Char(' ') + number + QLatin1Char(' ') + unit;
}

QString temperaturePart(const ST_MSGVoiceBroadcastStrategy &strategy, const TempVoiceInfo &info,
                        const VoiceContext &context)
{
    const int type = strategy.get_temperature_type();
    const int result = strategy.get_thermometry_result();
    const int state = info.temperatureState;
    const char *verdictKey = nullptr;
    if (isOverTemperature(state)) {
        if (type != 1 && type != 2)
            return QString();
        verdictKey = "TK_OverTemperature";
    } else if (isAbnormalTemperature(state)) {
        if (type != 1 && type != 3)
            return QString();
        verdictKey = "TK_AbnormalTempSpeech";
    } else {
        if (type != 1 || info.temp.isEmpty())
            return QString();
        verdictKey = "TK_NormalTempSpeech";
    }
    if (result == 1)
        return numberAndUnit(info, context);
    if (result == 3)
        return AppLanguageTr::translate(QString::fromLatin1(verdictKey));
    return QString();
}

} // namespace

int weekdayOf(const QDate &date)
{
    return date.dayOfWeek() % 7;
}

int secondsOfDay(const QString &time)
{
    if (time.size() != 8)
        return -1;
    bool hoursOk = false;
    bool minutesOk = false;
    bool secondsOk = false;
    const int hours = time.midRef(0, 2).toInt(&hoursOk);
    const int minutes = time.midRef(3, 2).toInt(&minutesOk);
    const int seconds = time.midRef(6, 2).toInt(&secondsOk);
    if (!hoursOk || !minutesOk || !secondsOk || hours < 0 || minutes < 0 || seconds < 0)
        return -1;
    return (hours * 60 + minutes) * 60 + seconds;
}

ST_MSGVoiceBroadcastStrategy
chooseStrategy(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies, const QString &name,
               int archiveGroupId)
{
    const bool registered = archiveGroupId != FeverValues::NoValue && !name.isEmpty();
    for (const ST_MSGVoiceBroadcastStrategy &strategy : strategies) {
        if (registered) {
            const std::vector<int> &groups = strategy.vecPersonGroupId;
            if (strategy.get_recognition_type() == RegistryStrategy
                && std::find(groups.begin(), groups.end(), archiveGroupId) != groups.end())
                return strategy;
        } else if (strategy.get_recognition_type() == StrangerStrategy) {
            return strategy;
        }
    }
    return ST_MSGVoiceBroadcastStrategy();
}

bool isInBroadcastTime(const ST_MSGVoiceBroadcastStrategy &strategy, int weekday,
                       const QString &time)
{
    const int seconds = secondsOfDay(time);
    if (seconds < 0)
        return false;
    for (const VoiceTimeRange &range : strategy.vecTimeRange) {
        if (range.weekday != weekday)
            continue;
        const int start = ScheduleTime::timeFormatConvert(QString::fromStdString(range.start_time));
        const int end = ScheduleTime::timeFormatConvert(QString::fromStdString(range.end_time));
        // A malformed bound would read as -1 and open the range to the whole morning.
        if (start < 0 || end < 0) {
            qDebug() << "VoiceAnnouncement::isInBroadcastTime skipped a malformed range"
                     << QString::fromStdString(range.start_time)
                     << QString::fromStdString(range.end_time);
            continue;
        }
        if (start <= seconds && seconds <= end)
            return true;
    }
    return false;
}

QString composeSentence(const ST_MSGVoiceBroadcastStrategy &strategy, const TempVoiceInfo &info,
                        const VoiceContext &context)
{
    QString sentence;
    if (strategy.get_recognition_type() == RegistryStrategy && isOn(strategy.get_show_name()))
        sentence += info.name;
    else if (strategy.get_recognition_type() == StrangerStrategy
             && isOn(strategy.get_report_stranger()))
        sentence += translated(strategy.get_report_stranger_content());

    if (isOn(strategy.get_show_time()))
        sentence += QLatin1Char(',') + info.time + QLatin1Char(',');

    if (isOn(strategy.get_show_temperature()))
        sentence += temperaturePart(strategy, info, context);

    if (isOn(strategy.get_show_mask()) && info.maskStatus == FeverValues::MaskStatusNone
        && strategy.get_mask_type() == MaskTypeNoMask)
        sentence += QLatin1Char(' ') + translated(strategy.get_mask_content());

    if (isOn(strategy.get_temparature_report_enable())) {
        const std::string verdict = isOverTemperature(info.temperatureState)
                                            ? strategy.get_report_over_temperature()
                                    : isAbnormalTemperature(info.temperatureState)
                                            ? strategy.get_report_abnormal_temperature()
                                            : strategy.get_report_normal_temperature();
        sentence += QLatin1Char(' ') + translated(verdict);
    }

    if (isOn(strategy.get_show_content())) {
        QString greeting = QString::fromStdString(strategy.get_speech_content());
        if (greeting == QLatin1String("TK_VisitorHello") || greeting == QLatin1String("TK_Hello"))
            greeting = AppLanguageTr::translate(greeting);
        sentence += QLatin1Char(' ') + greeting;
    }
    return sentence;
}

QString announcement(const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies,
                     const TempVoiceInfo &info, const VoiceContext &context)
{
    const ST_MSGVoiceBroadcastStrategy strategy =
            chooseStrategy(strategies, info.name, info.archiveGroupId);
    if (!isInBroadcastTime(strategy, context.weekday, info.time))
        return QString();
    return composeSentence(strategy, info, context);
}

const char *soundButtonState(bool soundOn, bool speechAvailable)
{
    if (!soundOn)
        return "close";
    return speechAvailable ? "open" : "unavailable";
}

} // namespace VoiceAnnouncement
