// The configuration button, behind the password re-entry, and taking back what the settings
// dialog saved.
#include "ScreeningScreen.h"

#include "FeverValues.h"
#include "PreviewConfigWidget.h"

#include "AuthUserInfoWidget.h"
#include "SnapStatisticWidget.h"
#include "SpeechHelper.h"
#include "TempSnapWidget.h"
#include "VORNClientOemManager.h"
#include "VornClient.h"

#include <QDebug>
#include <QEventLoop>
#include <QPointer>

namespace {

// The host's user kind that never re-enters the password.
constexpr int SuperUserKind = 1;

} // namespace

void ScreeningScreen::on_pushButtonConfig_clicked()
{
    if (VornClient::instance()->m_nUserKind != SuperUserKind
        && VORNClientOemManager::instance()->containCustomizationFunc(
                QStringLiteral("Func_PasswordAgainAuth"))) {
        if (!m_pAuthUserInfoWidget)
            m_pAuthUserInfoWidget = new AuthUserInfoWidget(this);
        else if (m_pAuthUserInfoWidget->isVisible())
            return; // a click while the password is asked for
        QEventLoop loop;
        connect(m_pAuthUserInfoWidget, &AuthUserInfoWidget::signalConfirm, &loop,
                &QEventLoop::exit);
        connect(m_pAuthUserInfoWidget, &QObject::destroyed, &loop, [&loop] { loop.exit(0); });
        QPointer<ScreeningScreen> self(this);
        m_pAuthUserInfoWidget->showSNDialog();
        const int confirmed = loop.exec();
        // The screen may have been released while the loop ran.
        if (!self || confirmed == 0)
            return;
    }
    if (!m_pPreviewConfigWidget)
        m_pPreviewConfigWidget = new PreviewConfigWidget(this);
    disconnect(m_pPreviewConfigWidget, &PreviewConfigWidget::ParmChanged, this,
               &ScreeningScreen::slotPreviewParmChanged);
    connect(m_pPreviewConfigWidget, &PreviewConfigWidget::ParmChanged, this,
            &ScreeningScreen::slotPreviewParmChanged);
    m_pPreviewConfigWidget->setStrategyList(m_vecStrategies);
    m_pPreviewConfigWidget->showSNDialog();
}

void ScreeningScreen::slotPreviewParmChanged()
{
    m_vecStrategies = m_pPreviewConfigWidget->strategyList();
    qDebug() << logHead("slotPreviewParmChanged").constData() << m_vecStrategies.size()
             << "strategies";
    // Sentences queued under the old strategies would announce what the user just changed.
    SpeechHelper::instance()->clearList(this);
    applyDisplayModeAndSlideSize();
    // Card sizes, the placeholder with custom picture mode, and the strategy of both lists.
    applyFirstStrategy();
    const ST_MSGVoiceBroadcastStrategy *first = firstStrategy();
    m_form.widgetCircle->setNoMaskVisible(first
                                          && first->show_total_no_mask == FeverValues::SwitchOn);
    if (first && first->temp_record_mode == 2)
        m_form.widgetTempSnap->slot_clearNormalTempSnapPicture(false);
    applyScreenPicture();
}
