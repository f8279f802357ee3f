#pragma once

#include "FeverValues.h"

#include "BaseWidget.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"

#include <QSize>
#include <QString>

#include <memory>

class QListWidgetItem;
class SnapComparesMessage;
class TempSnapItem;

namespace Ui {
class TempSnapWidget;
}

// Column of temperature snapshot cards, newest on top, at most 30.
class TempSnapWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit TempSnapWidget(QWidget *parent = nullptr);
    ~TempSnapWidget() override;

    // Shows the record as a new card at the top, dropping the oldest card beyond 30. The card
    // keeps its own copy: the caller may release the record right after.
    void appendSnapshot(const SnapComparesMessage &p_objRecord);

    // Card size value of the strategy: 1 big, 2 medium, 3 small.
    void setCardSize(int p_nCardSize);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);

    int maxCount() const { return m_nMaxCount; }
    int cardCount() const;
    // Row 0 is the newest card; null outside the list.
    TempSnapItem *cardAt(int p_nRow) const;
    QSize cardSize() const { return QSize(m_nCardWidth, m_nCardHeight); }
    int sizeMode() const { return m_nSizeMode; }

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
    void clearCards(bool p_bOverTemp, bool p_bTimerClear);
    // Disconnects the row's card, deletes it through the event loop and deletes the row.
    void removeRow(QListWidgetItem *p_pItem);

    std::unique_ptr<Ui::TempSnapWidget> m_ui;
    const int m_nMaxCount = FeverValues::MaxListCards;
    int m_nCardWidth = 330;
    int m_nCardHeight = 143;
    bool m_bAlternateStyle = false;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    int m_nSizeMode = 1;
};
