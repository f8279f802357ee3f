#pragma once

#include "OverTempChartRules.h"
#include "TempAlarmHandleStatistics.h"

#include "BaseWidget.h"
#include "OrvaneUser.h"

#include <QMutex>
#include <QPointF>

#include <memory>
#include <vector>

namespace Ui {
class OverTempChartWidget;
}
namespace QtCharts {
class QChart;
}

class QLabel;
class QTimer;
class SNChartView;

// Today's handled over-temperature alarms of the chosen organisations, one point per hour,
// refreshed every full hour.
class OverTempChartWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit OverTempChartWidget(QWidget *parent = nullptr);
    ~OverTempChartWidget() override;

    // Ids accumulate: the query covers every organisation added since the widget was built,
    // each once.
    void addOrgaId(int orgaId);

public slots:
    void refreshChart();
    void slotLineSelected(QPointF point, bool state);
    void initForm() override;

private:
    enum class QueryResult { Failure, NoRecords, Records };

    void restartRefreshTimer();
    QueryResult queryStatistics();
    void rebuildHourList();
    void hideChart();
    void loadChart();
    QtCharts::QChart *createLineChart();
    int getMaxValue();
    void showTip(const QPoint &globalPos, const QString &text);

    std::unique_ptr<Ui::OverTempChartWidget> m_ui;
    QMutex m_mutex;
    QLabel *m_pTipLabel = nullptr;
    OverTempChartRules::HourList m_listHours;
    OrvaneUser m_objUser;
    SNChartView *m_pChartView = nullptr;
    std::vector<int> m_vecOrgaIds;
    TempAlarmHandleStatisticsList m_vecLastRecords;
    QTimer *m_pRefreshTimer = nullptr;
};
