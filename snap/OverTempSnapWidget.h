#pragma once

#include "BaseWidget.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneSnapTargetSource.h"

#include <QString>
#include <QVector>

#include <memory>

namespace Ui {
class OverTempSnapWidget;
}

class OverTemperatureProcessDialog;
class QPushButton;
class QTimer;

// Row of over-temperature snapshot cards, newest first, with a hover button that clears it.
class OverTempSnapWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit OverTempSnapWidget(QWidget *parent = nullptr);
    ~OverTempSnapWidget() override;

    // Card size value of the strategy: 1 big, 2 medium, 3 small.
    void setCardSize(int p_nCardSize);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);

public slots:
    void slotOverTempAlarmProcessFinished(QVector<OrvaneSnapTargetSource> snapSourceVec);
    void slot_handleOverTimeSnap();
    void slot_clearOverTempSnapPicture(bool p_bTimerClear);
    void slot_clearOverTempSnapPicture();
    void retranslateUi() override;

signals:
    void signalAddBtnClick();
    void signalStopSnapRefresh();
    void signalSnapRefresh();
    void signalSearch(QString url);
    void stopRefresh(bool);
    void signalClearOverTempSnap();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::OverTempSnapWidget> m_ui;
    const int m_nMaxCount = 30;
    OverTemperatureProcessDialog *m_pProcessDialog = nullptr;
    QTimer *m_pRefreshTimer = nullptr;
    QPushButton *m_pClearPushButton = nullptr;
    int m_nCardWidth = 123;
    int m_nCardHeight = 170;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    bool m_bAlternateStyle = false;
};
