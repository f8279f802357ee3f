#include "SnapStatisticWidget.h"
#include "ui_SnapStatisticWidget.h"

#include "SnapStatisticRules.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "BaseHelper.h"
#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage.h"
#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage.h"
#include "SNMessageBoxFlowDownWidget.h"
#include "VORNAsyncMessageRecvEvent.h"
#include "VORNClientAIManager.h"
#include "VORNErrorCodeTranslator.h"
#include "VornClient.h"

#include <QDate>
#include <QDebug>
#include <QLocale>
#include <QTimer>

SnapStatisticWidget::SnapStatisticWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::SnapStatisticWidget>())
{
    m_ui->setupUi(this);
    m_pQueryTimer = new QTimer(this);
    initForm();
}

SnapStatisticWidget::~SnapStatisticWidget()
{
    m_pQueryTimer->stop();
}

void SnapStatisticWidget::initForm()
{
    if (AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1) {
        // The alternate screen shows the ring alone.
        m_bAlternateStyle = true;
        m_ui->labelOverTempStatistics->hide();
        m_ui->widget->hide();
    }

    connect(m_pQueryTimer, &QTimer::timeout, this, &SnapStatisticWidget::slot_querySnapStatistic);
    if (m_bAlternateStyle) {
        connect(m_ui->widgetChart, &StatisticsCircle::sigSetStatisticsNum, this,
                &SnapStatisticWidget::sigSetStatisticsNum);
        connect(this, &SnapStatisticWidget::sigSetStatisticsType, m_ui->widgetChart,
                &StatisticsCircle::slotSetStatisticsType);
    }

    AppStyleHelper::updateWidgetStyle(m_ui->labelOverTempStatistics, 8);
    retranslateUi();

    m_eType = QueryByPlatformAndNVR;
    m_pQueryTimer->start(SnapStatisticRules::QueryIntervalMs);

    // Shown as 0 while the counts themselves stay unknown until the first answer.
    showCounts(0, 0, 0);
}

void SnapStatisticWidget::retranslateUi()
{
    m_ui->labelTotalText->setText(AppLanguageTr::translate(QStringLiteral("TK_PageTotalSize")));
    m_ui->labelOverTempText->setText(
            AppLanguageTr::translate(QStringLiteral("TK_OverTemperature")));
    m_ui->widgetChart->setStatisticCountText(
            AppLanguageTr::translate(QStringLiteral("TK_SnapTotal")));
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

void SnapStatisticWidget::showCounts(int p_nTotal, int p_nOverTemp, int p_nNoMask)
{
    m_ui->widgetChart->setStatisticsNum(p_nTotal, p_nOverTemp, p_nNoMask);
    m_ui->labelTotal->setText(QString::number(p_nTotal));
    m_ui->labelOverTempNum->setText(QString::number(p_nOverTemp));
    m_ui->labelNoMaskNum->setText(QString::number(p_nNoMask));
}

int SnapStatisticWidget::queryInterval() const
{
    return m_pQueryTimer->isActive() ? m_pQueryTimer->interval() : 0;
}

void SnapStatisticWidget::querySnapStatistic(int p_nOrgaId, QString p_strOrgaName,
                                             ENUM_MSGQueryTimeTempSnapStatisticsType p_eType)
{
    const int interval = SnapStatisticRules::restartIntervalMs(m_eType, p_eType);
    if (interval > 0) {
        m_pQueryTimer->stop();
        m_pQueryTimer->start(interval);
    }
    m_eType = p_eType;
    if (p_nOrgaId == FeverValues::NoValue)
        return;

    m_strOrgaName = p_strOrgaName;
    m_nOrgaId = p_nOrgaId;
    updateTitle();

    if (p_eType == QueryByNone) {
        showCounts(0, 0, 0);
        m_nTotal = 0;
        m_nOverTemp = 0;
        m_bQueryPending = false;
        return;
    }

    OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage request;
    request.m_nType = p_eType;
    request.m_nUserId = VornClient::instance()->getCurUserId();
    request.m_nOrgaId = p_nOrgaId;
    const QString today =
            QLocale(QLocale::English).toString(QDate::currentDate(), QStringLiteral("yyyy-MM-dd"));
    request.setStartTime(today);
    request.setEndTime(today);
    m_nRequestHandle = VORNClientAIManager::instance()->sendAsyncMessage(request, this, -1, 120);
    m_bQueryPending = true;
    qDebug() << "SnapStatisticWidget::querySnapStatistic orga" << p_nOrgaId << "type" << p_eType
             << "handle" << m_nRequestHandle;
}

void SnapStatisticWidget::slot_querySnapStatistic()
{
    if (m_nOrgaId == FeverValues::NoValue)
        return;
    querySnapStatistic(m_nOrgaId, m_strOrgaName, m_eType);
}

bool SnapStatisticWidget::event(QEvent *event)
{
    if (!event) {
        qDebug() << "SnapStatisticWidget::event, event is NULL!";
        return false;
    }
    if (event->type() != FeverValues::AsyncReplyEventType)
        return BaseWidget::event(event);
    return handleReply(event);
}

bool SnapStatisticWidget::handleReply(QEvent *event)
{
    auto *reply = dynamic_cast<VORNAsyncMessageRecvEvent *>(event);
    if (!reply)
        return BaseWidget::event(event);
    // In every early return below the query stays pending: no live count is added to totals
    // that are not known to be current.
    if (reply->getReqHandle() != m_nRequestHandle) {
        qWarning() << "FormConfigSetWidget::event reqHandle mis match!" << m_nRequestHandle
                   << reply->getReqHandle();
        event->accept();
        return true;
    }
    if (reply->getErrorCode() != 0) {
        SNMessageBoxFlowDownWidget::showMessage(
                VORNErrorCodeTranslator::getErrorString(reply->getErrorCode()), this, 2, 0);
        event->accept();
        return true;
    }
    const OrvaneResponseMessage *response = reply->getRespMsg();
    if (!response) {
        qWarning() << "FormConfigSetWidget::event respMsg is NULL";
        SNMessageBoxFlowDownWidget::showMessage(
                AppLanguageTr::translate(QStringLiteral("TK_SDKTimeout")), this, 2, 0);
        event->accept();
        return true;
    }
    if (response->getClassName() != QLatin1String(ResponseClassName))
        return BaseWidget::event(event);

    const auto *totals =
            static_cast<const OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage *>(response);
    showCounts(totals->getTotal(), totals->getOverTemp(), totals->getNoMask());
    m_nTotal = totals->getTotal();
    m_nOverTemp = totals->getOverTemp();
    m_nNoMask = totals->getNoMask();
    m_bQueryPending = false;
    qDebug() << "SnapStatisticWidget::event totals" << m_nTotal << m_nOverTemp << m_nNoMask
             << "handle" << m_nRequestHandle;
    return BaseWidget::event(event);
}

void SnapStatisticWidget::addSnapCount(bool p_bTotal, bool p_bOverTemp, bool p_bNoMask,
                                       int p_nSourceKind)
{
    if (m_bQueryPending || m_nTotal < 0 || m_nOverTemp < 0 || m_nNoMask < 0)
        return;
    if (!SnapStatisticRules::countsSourceKind(m_eType, p_nSourceKind))
        return;
    m_nTotal += p_bTotal ? 1 : 0;
    m_nOverTemp += p_bOverTemp ? 1 : 0;
    m_nNoMask += p_bNoMask ? 1 : 0;
    showCounts(m_nTotal, m_nOverTemp, m_nNoMask);
}

void SnapStatisticWidget::setNoMaskVisible(bool p_bVisible)
{
    if (m_bAlternateStyle)
        return;
    m_ui->widgetChart->setInnerPartVisiable(p_bVisible);
    m_ui->labelNoMaskNum->setVisible(p_bVisible);
    m_ui->labelNoMask->setVisible(p_bVisible);
    m_ui->label_NoMaskFlag->setVisible(p_bVisible);
}
