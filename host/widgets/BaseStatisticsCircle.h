#pragma once

#include "BaseWidget.h"

#include <QString>

// The host's ring chart of a total: the ring stands for the total, an outer arc for a part of
// it (over temperature) and a thinner inner arc for another part (no mask); the total and its
// caption are written in the middle.
class BaseStatisticsCircle : public BaseWidget
{
    Q_OBJECT
public:
    explicit BaseStatisticsCircle(QWidget *parent = nullptr);
    ~BaseStatisticsCircle() override;

    // Negative counts are drawn as 0.
    virtual void setStatisticsNum(int p_nTotal, int p_nPartNum, int p_nInnerNum);
    void setInnerPartVisiable(bool p_bVisible);
    void setStatisticCountText(const QString &p_strText);

    int totalNum() const { return m_nTotal; }
    int partNum() const { return m_nPart; }
    int innerNum() const { return m_nInner; }
    bool isInnerPartVisible() const { return m_bInnerVisible; }
    QString statisticCountText() const { return m_strCountText; }

    // Span of an arc for `p_nPart` of `p_nTotal`, in sixteenths of a degree (5760 a circle).
    static int arcSpan(int p_nTotal, int p_nPart);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_nTotal = 0;
    int m_nPart = 0;
    int m_nInner = 0;
    bool m_bInnerVisible = true;
    QString m_strCountText;
};
