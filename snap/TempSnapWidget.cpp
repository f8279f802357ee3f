#include "snap/TempSnapWidget.h"
#include "ui_TempSnapWidget.h"

#include "AppConfigHelper.h"

TempSnapWidget::TempSnapWidget(QWidget *parent)
    : BaseWidget(parent), m_ui(std::make_unique<Ui::TempSnapWidget>())
{
    m_ui->setupUi(this);
    m_bAlternateStyle = AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1;
    if (m_bAlternateStyle) {
        m_nCardWidth = 286;
        m_nCardHeight = 121;
    }

    m_ui->listWidget->setFocusPolicy(Qt::NoFocus);
    m_ui->listWidget->setSpacing(2);
    m_ui->listWidget->setSelectionMode(QAbstractItemView::NoSelection);
    m_ui->listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TempSnapWidget::~TempSnapWidget() = default;

void TempSnapWidget::setCardSize(int p_nCardSize)
{
    // Resizing the cards is filled by the card-list issue.
    Q_UNUSED(p_nCardSize)
}

void TempSnapWidget::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    // Re-applying the strategy to existing cards is filled by the card-list issue.
    m_objStrategy = p_objStrategy;
}

void TempSnapWidget::slot_clearNormalTempSnapPicture(bool p_bTimerClear)
{
    // Filled by the card-list issue.
    Q_UNUSED(p_bTimerClear)
}

void TempSnapWidget::slot_clearNormalTempSnapPicture()
{
    slot_clearNormalTempSnapPicture(false);
}

void TempSnapWidget::slot_clearOverTempSnapPicture(bool p_bTimerClear)
{
    // Filled by the card-list issue.
    Q_UNUSED(p_bTimerClear)
}

void TempSnapWidget::slot_clearOverTempSnapPicture()
{
    slot_clearOverTempSnapPicture(false);
}

void TempSnapWidget::enterEvent(QEvent *event)
{
    emit signalStopRefresh();
    BaseWidget::enterEvent(event);
}

void TempSnapWidget::leaveEvent(QEvent *event)
{
    emit signalRefresh();
    BaseWidget::leaveEvent(event);
}
