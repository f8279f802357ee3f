// Voice announcements of live snapshots and the sound button.
#include "ScreeningScreen.h"

#include "FaultNotices.h"
#include "VoiceAnnouncement.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppTranslationHelper.h"
#include "SpeechHelper.h"

#include <QPushButton>

#include <QDate>
#include <QIcon>

void ScreeningScreen::slot_handleTempVoice(QString name, QString temp, int p_nTemperatureState,
                                           QString time, int p_nArchiveGroupID, int p_nMaskStatus)
{
    if (!m_bSoundOn)
        return;
    VoiceAnnouncement::TempVoiceInfo info;
    info.name = name;
    info.temp = temp;
    info.temperatureState = p_nTemperatureState;
    info.time = time;
    info.archiveGroupId = p_nArchiveGroupID;
    info.maskStatus = p_nMaskStatus;
    VoiceAnnouncement::VoiceContext context;
    context.weekday = VoiceAnnouncement::weekdayOf(QDate::currentDate());
    context.language = AppTranslationHelper::instance()->currentLanguage();
    context.fahrenheit =
            AppConfigHelper::instance()->getTemperatureUnitConfigHistory().nTemperatureUnit == 1;
    const QString sentence = VoiceAnnouncement::announcement(m_vecStrategies, info, context);
    // Blank pieces of a strategy (an empty verdict text) leave only spaces: nothing to say.
    if (sentence.trimmed().isEmpty())
        return;
    SpeechHelper::instance()->addSpeech(sentence, this);
}

void ScreeningScreen::on_pushButtonSound_clicked()
{
    m_bSoundOn = !m_bSoundOn;
    showSoundState();
    // The style sheet draws the state; an icon would cover it.
    m_form.pushButtonSound->setIcon(QIcon());
    if (!m_bSoundOn)
        SpeechHelper::instance()->clearList(this);
}

void ScreeningScreen::showSoundState()
{
    const bool available = SpeechHelper::instance()->isEngineAvailable();
    setStatedProperty(m_form.pushButtonSound,
                      VoiceAnnouncement::soundButtonState(m_bSoundOn, available));
    m_form.pushButtonSound->setToolTip(
            available ? QString()
                      : AppLanguageTr::translate(FaultNotices::failureKey(FaultNotices::Speech)));
}
