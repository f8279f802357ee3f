#pragma once

#include "FeverValues.h"

#include "BaseWidget.h"
#include "OpreateSelectorType.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneArchiveImageInfo.h"
#include "OrvaneSnapTargetSource.h"

#include <QSize>
#include <QString>
#include <QVector>

#include <memory>

namespace Ui {
class OverTempSnapWidget;
}

class OverTempSnapItem;
class OverTemperatureProcessDialog;
class QListWidgetItem;
class QPushButton;
class QTimer;

// Row of over-temperature snapshot cards, newest first, with a hover button that clears it.
class OverTempSnapWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit OverTempSnapWidget(QWidget *parent = nullptr);
    ~OverTempSnapWidget() override;

    // Puts a card for the snapshot at the front; a picture not in the host's cache adds none.
    void appendPersonInfo(const QString &url, const OrvaneSnapTargetSource &p_objSource,
                          const OrvaneArchiveImageInfo &p_objArchiveImageInfo);
    // Card size value of the strategy: 1 big, 2 medium, 3 small.
    void setCardSize(int p_nCardSize);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);

    int cardCount() const;
    // Row 0 is the newest card.
    OverTempSnapItem *cardAt(int p_nRow) const;
    QSize cardSize() const { return QSize(m_nCardWidth, m_nCardHeight); }

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

private slots:
    void slotPicLabClicked(OpreateSelectorType type);
    void slotOverTemp();
    void slotSearch();
    void slotCloseAdd();
    void slotAddperson();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void removeRow(int p_nRow);
    void openProcessDialog(const OrvaneSnapTargetSource &p_objSource);
    void openPersonOpreateSelector(OverTempSnapItem *p_pCard, OpreateSelectorType p_eType);

    std::unique_ptr<Ui::OverTempSnapWidget> m_ui;
    const int m_nMaxCount = FeverValues::MaxListCards;
    OverTemperatureProcessDialog *m_pProcessDialog = nullptr;
    QTimer *m_pRefreshTimer = nullptr;
    QPushButton *m_pClearPushButton = nullptr;
    int m_nCardWidth = 123;
    int m_nCardHeight = 170;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    bool m_bAlternateStyle = false;
};
