#pragma once

#include "BaseWidget.h"
#include "OpreateSelectorType.h"
#include "OrvaneAiCompareVoiceBroadcastStrategy.h"
#include "OrvaneSnapTargetSource.h"

#include <QDateTime>
#include <QPointer>

#include <memory>

namespace Ui {
class OverTempSnapItem;
}

class OverTempHandleWidget;
class Piclab;
class QLabel;

// One card of the over-temperature list: the face picture with its temperature, a NEW tag for
// its first minute, an optional device-name bar, and a hover tool bar whose requests the card
// only passes on as signals.
class OverTempSnapItem : public BaseWidget
{
    Q_OBJECT

public:
    explicit OverTempSnapItem(QWidget *parent = nullptr);
    ~OverTempSnapItem() override;

    void setSnapSource(const OrvaneSnapTargetSource &p_objSource);
    void setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy);
    void hideNewTag(bool p_bSeen);

    uint createTime() const { return m_nCreateTime; }
    QDateTime creationTime() const { return m_objCreationTime; }
    Piclab *picWidget() const;
    QString picUrl() const;
    const OrvaneSnapTargetSource &snapSource() const { return m_objSnapSource; }
    bool isNewTagShown() const;
    QWidget *borderWidget() const { return m_pBorderWidget; }
    OverTempHandleWidget *toolBar() const { return m_pHandleWidget; }

    // The card whose person-operations pop-up is open, if any; while there is one no card
    // reacts to the mouse entering or leaving it.
    static OverTempSnapItem *popOwner();

signals:
    void signalOpreatePerson(OpreateSelectorType type);
    void signalStopRefresh();
    void signalRefresh();
    void signalTemperature();
    void signalSearch();

public slots:
    void slot_handlePop(bool p_bVisible);
    void initForm() override;
    void doAfterWidgetShow() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setSelected(bool p_bSelected);
    void placeDeviceBar();
    void paintNewTag();
    void paintDeviceBar();

    std::unique_ptr<Ui::OverTempSnapItem> m_ui;
    QLabel *m_pNewLabel = nullptr;
    QDateTime m_objCreationTime;
    OrvaneSnapTargetSource m_objSnapSource;
    QWidget *m_pBorderWidget = nullptr;
    OrvaneAiCompareVoiceBroadcastStrategy m_objStrategy;
    uint m_nCreateTime = 0;
    bool m_bAlternateStyle = false;
    bool m_bNewTagSeen = false;
    OverTempHandleWidget *m_pHandleWidget = nullptr;
    QLabel *m_pDeviceNameLabel = nullptr;

    static QPointer<OverTempSnapItem> s_pPopOwner;
};
