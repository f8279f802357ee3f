#pragma once

#include "SnapStatisticTypes.h"

#include "BaseStatisticsCircle.h"

#include <memory>

namespace Ui {
class StatisticsCircle;
}

// The ring of the daily totals. In the normal style the host's ring paints; in the alternate
// style it paints one share of the totals (healthy or over temperature) as a percentage with
// a coloured arc.
class StatisticsCircle : public BaseStatisticsCircle
{
    Q_OBJECT

public:
    explicit StatisticsCircle(QWidget *parent = nullptr);
    ~StatisticsCircle() override;

    // In the alternate style with type Healthy, reports (total, over temperature) first and
    // paints the healthy share.
    void setStatisticsNum(int p_nTotal, int p_nPartNum, int p_nInnerNum) override;
    StatisticsType statisticsType() const { return m_eType; }
    bool isAlternateStyle() const { return m_bAlternateStyle; }

public slots:
    void slotSetStatisticsType(StatisticsType type);

signals:
    void sigSetStatisticsNum(int p_nTotal, int p_nPartNum);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::StatisticsCircle> m_ui;
    StatisticsType m_eType = Healthy;
    bool m_bAlternateStyle = false;
};
