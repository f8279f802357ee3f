#include "SnapStatisticWidget.h"
#include "ui_SnapStatisticWidget.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "BaseHelper.h"

#include <QTimer>

SnapStatisticWidget::SnapStatisticWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::SnapStatisticWidget>())
{
    m_ui->setupUi(this);
    m_pQueryTimer = new QTimer(this);
    initForm();
}

SnapStatisticWidget::~SnapStatisticWidget() = default;

void SnapStatisticWidget::initForm()
{
    if (AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1) {
        // The alternate screen shows the ring alone.
        m_bAlternateStyle = true;
        m_ui->labelOverTempStatistics->hide();
        m_ui->widget->hide();
    }

    connect(m_pQueryTimer, &QTimer::timeout, this, &SnapStatisticWidget::slot_querySnapStatistic);

    AppStyleHelper::updateWidgetStyle(m_ui->labelOverTempStatistics, 8);
    retranslateUi();

    m_eType = QueryByPlatformAndNVR;
    m_pQueryTimer->start(30000);

    m_ui->labelTotal->setText(QStringLiteral("0"));
    m_ui->labelOverTempNum->setText(QStringLiteral("0"));
    m_ui->labelNoMaskNum->setText(QStringLiteral("0"));
}

void SnapStatisticWidget::retranslateUi()
{
    m_ui->labelTotalText->setText(AppLanguageTr::translate(QStringLiteral("TK_PageTotalSize")));
    m_ui->labelOverTempText->setText(
            AppLanguageTr::translate(QStringLiteral("TK_OverTemperature")));
    updateTitle();
    m_ui->labelNoMask->setText(AppLanguageTr::translate(QStringLiteral("TK_NoMask")));
}

void SnapStatisticWidget::updateTitle()
{
    const QString title =
            AppLanguageTr::translate(QStringLiteral("TK_BracketsLeft")) + m_strOrgaName
            + AppLanguageTr::translate(QStringLiteral("TK_BracketsRight"))
            + AppLanguageTr::translate(QStringLiteral("TK_OverTemperatureDataStatistic"));
    m_ui->labelOverTempStatistics->setText(title);
    BaseHelper::adjustShowLabelText(m_ui->labelOverTempStatistics, title, 30, 150);
}

void SnapStatisticWidget::querySnapStatistic(int p_nOrgaId, QString p_strOrgaName,
                                             ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    // The platform query and its timer rules are filled by the statistics issue.
    Q_UNUSED(p_nOrgaId)
    Q_UNUSED(p_strOrgaName)
    Q_UNUSED(p_eType)
}

void SnapStatisticWidget::slot_querySnapStatistic()
{
    if (m_nOrgaId == FeverValues::NoValue)
        return;
    querySnapStatistic(m_nOrgaId, m_strOrgaName, m_eType);
}

void SnapStatisticWidget::addSnapCount(bool p_bTotal, bool p_bOverTemp, bool p_bNoMask,
                                       int p_nSourceKind)
{
    // Live counting is filled by the statistics issue.
    Q_UNUSED(p_bTotal)
    Q_UNUSED(p_bOverTemp)
    Q_UNUSED(p_bNoMask)
    Q_UNUSED(p_nSourceKind)
}

void SnapStatisticWidget::setNoMaskVisible(bool p_bVisible)
{
    if (m_bAlternateStyle)
        return;
    // The ring's inner part follows with the ring of the statistics issue.
    m_ui->labelNoMaskNum->setVisible(p_bVisible);
    m_ui->labelNoMask->setVisible(p_bVisible);
    m_ui->label_NoMaskFlag->setVisible(p_bVisible);
}
