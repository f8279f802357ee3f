#pragma once

#include "BaseWidget.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"

#include <QString>

#include <memory>

namespace Ui {
class TempSnapWidget;
}

// Column of temperature snapshot cards, newest on top.
class TempSnapWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit TempSnapWidget(QWidget *parent = nullptr);
    ~TempSnapWidget() override;

    // Card size value of the strategy: 1 big, 2 medium, 3 small.
    void setCardSize(int p_nCardSize);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);

public slots:
    void slot_clearNormalTempSnapPicture(bool p_bTimerClear);
    void slot_clearNormalTempSnapPicture();
    void slot_clearOverTempSnapPicture(bool p_bTimerClear);
    void slot_clearOverTempSnapPicture();

signals:
    void signalStopRefresh();
    void signalRefresh();
    void signalSearch(QString url);
    void sendTempInfo(QString name, QString temp, int p_nTemperatureState, QString time,
                      int p_nArchiveGroupID, int p_nMaskStatus);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::TempSnapWidget> m_ui;
    const int m_nMaxCount = 30;
    int m_nCardWidth = 330;
    int m_nCardHeight = 143;
    bool m_bAlternateStyle = false;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    int m_nSizeMode = 1;
};
