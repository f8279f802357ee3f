#include "TempSnapWidget.h"
#include "ui_TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "SnapComparesMessage.h"
#include "System.h"
#include "TempSnapItem.h"
#include "TempSnapRules.h"

#include <QListWidgetItem>

#include <vector>

TempSnapWidget::TempSnapWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::TempSnapWidget>())
{
    m_ui->setupUi(this);
    m_bAlternateStyle = AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1;
    const QSize base = TempSnapRules::baseCardSize(m_bAlternateStyle);
    m_nCardWidth = base.width();
    m_nCardHeight = base.height();

    m_ui->listWidget->setFocusPolicy(Qt::NoFocus);
    m_ui->listWidget->setSpacing(2);
    m_ui->listWidget->setSelectionMode(QAbstractItemView::NoSelection);
    m_ui->listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every row has the card size, so the view need not ask each row when laying out.
    m_ui->listWidget->setUniformItemSizes(true);
}

TempSnapWidget::~TempSnapWidget() = default;

void TempSnapWidget::appendSnapshot(const SnapComparesMessage &p_objRecord)
{
    QListWidget *list = m_ui->listWidget;
    if (list->count() >= m_nMaxCount)
        removeRow(list->item(list->count() - 1));

    auto *item = new QListWidgetItem;
    item->setSizeHint(QSize(m_nCardWidth, m_nCardHeight));
    list->insertItem(0, item);

    // Built inside the viewport it will live in: moving a styled card there later would
    // polish the whole card a second time.
    auto *card = new TempSnapItem(p_objRecord, list->viewport(), m_nCardWidth, m_nCardHeight,
                                  m_objStrategy, m_bAlternateStyle);
    card->setSizeMode(m_nSizeMode);
    card->setFixedSize(m_nCardWidth, m_nCardHeight);
    connect(card, &TempSnapItem::sendTempInfo, this, &TempSnapWidget::sendTempInfo);
    list->setItemWidget(item, card);
    // Lay the rows out now rather than from the view's deferred layout, so the strip is painted
    // once per snapshot instead of once before and once after the cards move down.
    list->doItemsLayout();
}

void TempSnapWidget::setCardSize(int p_nCardSize)
{
    const TempSnapRules::CardGeometry geometry =
            TempSnapRules::cardGeometry(p_nCardSize, m_bAlternateStyle);
    m_nSizeMode = geometry.nSizeMode;
    m_nCardWidth = geometry.nWidth;
    m_nCardHeight = geometry.nHeight;

    QListWidget *list = m_ui->listWidget;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        item->setSizeHint(QSize(m_nCardWidth, m_nCardHeight));
        if (auto *card = qobject_cast<TempSnapItem *>(list->itemWidget(item))) {
            card->setSizeMode(m_nSizeMode);
            card->setFixedSize(m_nCardWidth, m_nCardHeight);
        }
    }
    setMinimumWidth(m_nCardWidth);
}

void TempSnapWidget::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    m_objStrategy = p_objStrategy;
    QListWidget *list = m_ui->listWidget;
    for (int row = 0; row < list->count(); ++row) {
        if (auto *card = qobject_cast<TempSnapItem *>(list->itemWidget(list->item(row))))
            card->setStrategy(m_objStrategy);
    }
}

int TempSnapWidget::cardCount() const
{
    return m_ui->listWidget->count();
}

TempSnapItem *TempSnapWidget::cardAt(int p_nRow) const
{
    QListWidgetItem *item = m_ui->listWidget->item(p_nRow);
    return item ? qobject_cast<TempSnapItem *>(m_ui->listWidget->itemWidget(item)) : nullptr;
}

void TempSnapWidget::slot_clearNormalTempSnapPicture(bool p_bTimerClear)
{
    clearCards(false, p_bTimerClear);
}

void TempSnapWidget::slot_clearNormalTempSnapPicture()
{
    slot_clearNormalTempSnapPicture(false);
}

void TempSnapWidget::slot_clearOverTempSnapPicture(bool p_bTimerClear)
{
    clearCards(true, p_bTimerClear);
}

void TempSnapWidget::slot_clearOverTempSnapPicture()
{
    slot_clearOverTempSnapPicture(false);
}

void TempSnapWidget::clearCards(bool p_bOverTemp, bool p_bTimerClear)
{
    const int clearTime =
            p_bOverTemp ? m_objStrategy.over_temp_clear_time : m_objStrategy.normal_temp_clear_time;
    if (p_bTimerClear && clearTime < 1)
        return;
    const qint64 now = System::getSecondCount();

    QListWidget *list = m_ui->listWidget;
    std::vector<QListWidgetItem *> collected;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        auto *card = qobject_cast<TempSnapItem *>(list->itemWidget(item));
        if (!card || card->isOverTemp() != p_bOverTemp)
            continue;
        if (p_bTimerClear && !TempSnapRules::isClearedByTime(now, card->createTime(), clearTime))
            continue;
        collected.push_back(item);
    }
    for (QListWidgetItem *item : collected)
        removeRow(item);
}

void TempSnapWidget::removeRow(QListWidgetItem *p_pItem)
{
    if (auto *card = m_ui->listWidget->itemWidget(p_pItem)) {
        disconnect(card, nullptr, this, nullptr);
        card->deleteLater();
    }
    delete p_pItem;
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
