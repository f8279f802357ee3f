#include "OverTempChartWidget.h"
#include "ui_OverTempChartWidget.h"

#include "FeverValues.h"

#include "AppLanguageTr.h"
#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage.h"
#include "OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage.h"
#include "SNChartView.h"
#include "StatisticsQueryOfOrga.h"
#include "VORNClientStatisticsManager.h"
#include "VornClient.h"

#include <QCursor>
#include <QDate>
#include <QDebug>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLocale>
#include <QMutexLocker>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

using namespace QtCharts;

OverTempChartWidget::OverTempChartWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::OverTempChartWidget>())
{
    m_ui->setupUi(this);
    VornClient::instance()->getCurUserInfo(m_objUser);
}

OverTempChartWidget::~OverTempChartWidget() = default;

void OverTempChartWidget::initForm()
{
    VornClient::instance()->getCurUserInfo(m_objUser);
}

void OverTempChartWidget::addOrgaId(int orgaId)
{
    // The screen hands the same organisation again at every language switch; a repeat would
    // widen nothing, only lengthen the query.
    if (std::find(m_vecOrgaIds.begin(), m_vecOrgaIds.end(), orgaId) == m_vecOrgaIds.end())
        m_vecOrgaIds.push_back(orgaId);
}

void OverTempChartWidget::refreshChart()
{
    restartRefreshTimer();
    switch (queryStatistics()) {
    case QueryResult::Failure:
        setTips(AppLanguageTr::translate(QStringLiteral("TK_GetFailed"))
                        + VORNClientStatisticsManager::instance()->getLastErrorString(),
                3);
        hideChart();
        break;
    case QueryResult::NoRecords:
        setTips(AppLanguageTr::translate(QStringLiteral("TK_NoRecords")), 1);
        hideChart();
        break;
    case QueryResult::Records:
        loadChart();
        break;
    }
}

void OverTempChartWidget::restartRefreshTimer()
{
    if (!m_pRefreshTimer) {
        // The first refresh lines the timer up with the next full hour; later ones run an hour
        // after whichever refresh came last.
        m_pRefreshTimer = new QTimer(this);
        connect(m_pRefreshTimer, &QTimer::timeout, this, &OverTempChartWidget::refreshChart);
        m_pRefreshTimer->start(OverTempChartRules::firstRefreshDelayMs(QTime::currentTime()));
        return;
    }
    m_pRefreshTimer->start(OverTempChartRules::RefreshIntervalMs);
}

OverTempChartWidget::QueryResult OverTempChartWidget::queryStatistics()
{
    const QLocale english(QLocale::English);
    const QString today = english.toString(QDate::currentDate(), QStringLiteral("yyyy-MM-dd"));
    StatisticsQueryOfOrga query;
    query.nTimeUnit = StatisticsQueryOfOrga::TimeUnitHour;
    query.nUserId = m_objUser.get_id();
    query.nStatisticsKind = StatisticsQueryOfOrga::KindTempAlarmHandling;
    query.nDeviceId = FeverValues::NoValue;
    query.nChannelId = FeverValues::NoValue;
    query.strStartTime = QStringLiteral("%1 00").arg(today);
    query.strEndTime = QStringLiteral("%1 %2").arg(
            today, english.toString(QTime::currentTime(), QStringLiteral("hh")));
    query.vecOrgaIds = m_vecOrgaIds;

    OrvaneGetTempAlarmHandleStatisticsOfOrgaRequestMessage request;
    request.setQueryStatisticsOfOrga(query);
    OrvaneGetTempAlarmHandleStatisticsOfOrgaResponseMessage response;
    VORNClientStatisticsManager *manager = VORNClientStatisticsManager::instance();
    if (!manager->getTempAlarmHandleStatistics(request, response)) {
        qDebug() << "OverTempChartWidget::getTemperatureStatisticsOfDevGroups fail"
                 << manager->getLastErrorString();
        return QueryResult::Failure;
    }
    m_vecLastRecords = response.getRecords();
    if (m_vecLastRecords.empty()) {
        qDebug() << "OverTempChartWidget::getTemperatureStatisticsOfDevGroups records is empty";
        return QueryResult::NoRecords;
    }
    rebuildHourList();
    return QueryResult::Records;
}

void OverTempChartWidget::rebuildHourList()
{
    QMutexLocker locker(&m_mutex);
    m_listHours.clear();
    OverTempChartRules::addRecords(m_listHours, m_vecLastRecords);
}

void OverTempChartWidget::hideChart()
{
    if (m_pChartView && m_pChartView->chart())
        m_pChartView->chart()->hide();
}

void OverTempChartWidget::loadChart()
{
    qDebug() << "OverTempChartWidget::loadChart";
    if (m_pChartView) {
        m_pChartView->chart()->deleteLater();
        m_pChartView->setChart(createLineChart());
    } else {
        m_pChartView = new SNChartView(createLineChart(), this);
        auto *layout = new QVBoxLayout;
        layout->addWidget(m_pChartView);
        setLayout(layout);
    }
    m_pChartView->setRenderHint(QPainter::Antialiasing);
    m_pChartView->chart()->setAnimationOptions(QChart::SeriesAnimations);
    m_pChartView->chart()->setBackgroundBrush(QBrush(Qt::transparent, Qt::SolidPattern));

    // The chart's dark colours stay on the chart: set on the top-level window they would reach
    // every other screen in it, and give disabled labels there the enabled text colour.
    QPalette chartPalette = palette();
    chartPalette.setColor(QPalette::Window, QColor(QStringLiteral("#191a1e")));
    chartPalette.setColor(QPalette::WindowText, QColor(QStringLiteral("#d6d6d6")));
    setPalette(chartPalette);
}

QChart *OverTempChartWidget::createLineChart()
{
    auto *chart = new QChart;
    auto *series = new QLineSeries(chart);
    connect(series, &QLineSeries::hovered, this, &OverTempChartWidget::slotLineSelected);
    series->setPen(QPen(QColor(QStringLiteral("#5495cf")), 2.0, Qt::SolidLine));
    series->replace(OverTempChartRules::points(m_listHours));

    auto *axisX = new QCategoryAxis;
    axisX->setGridLineVisible(false);
    axisX->setLinePen(QPen(Qt::white, 2.0));
    axisX->setLabelsColor(QColor(QStringLiteral("#2167ae")));
    axisX->setTitleVisible(false);
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX->setRange(0, OverTempChartRules::XAxisMax);
    const QVector<QPair<QString, int>> labels = OverTempChartRules::xAxisLabels();
    for (const QPair<QString, int> &label : labels)
        axisX->append(label.first, label.second);

    auto *axisY = new QValueAxis;
    axisY->setRange(0, OverTempChartRules::axisTop(getMaxValue()));
    axisY->setTickCount(6);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setLabelsColor(QColor(QStringLiteral("#2167ae")));
    axisY->setGridLinePen(QPen(QColor(63, 65, 71), 1.0));
    axisY->setGridLineVisible(false);
    axisY->setLinePen(QPen(Qt::white, 2.0));

    chart->addSeries(series);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setBackgroundVisible(false);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(0, 10, 20, 10));
    qDebug() << "createLineChart";
    return chart;
}

int OverTempChartWidget::getMaxValue()
{
    QMutexLocker locker(&m_mutex);
    int max = 0;
    for (const QPair<QString, int> &entry : qAsConst(m_listHours))
        max = std::max(max, entry.second);
    qDebug() << "OverTempChartWidget::getMaxValue " << max;
    return max;
}

void OverTempChartWidget::slotLineSelected(QPointF point, bool state)
{
    if (!state) {
        if (m_pTipLabel && m_pTipLabel->isVisible())
            m_pTipLabel->hide();
        return;
    }
    if (!sender())
        return;
    showTip(QCursor::pos(), OverTempChartRules::tipText(point));
}

void OverTempChartWidget::showTip(const QPoint &globalPos, const QString &text)
{
    if (!m_pTipLabel) {
        m_pTipLabel = new QLabel(this);
        m_pTipLabel->setTextFormat(Qt::PlainText);
        m_pTipLabel->setAlignment(Qt::AlignCenter);
        m_pTipLabel->setStyleSheet(QStringLiteral("color: #2167ae;background-color: #afeceeef;"));
        m_pTipLabel->setMinimumSize(140, 35);
    }
    const QPoint p = mapFromGlobal(globalPos);
    m_pTipLabel->setText(text);
    m_pTipLabel->adjustSize();
    m_pTipLabel->move(OverTempChartRules::tipPosition(p, m_pTipLabel->size(), width()));
    m_pTipLabel->raise();
    m_pTipLabel->setVisible(true);
}
