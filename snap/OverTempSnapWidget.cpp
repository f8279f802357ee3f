#include "OverTempSnapWidget.h"
#include "ui_OverTempSnapWidget.h"

#include "FeverValues.h"
#include "OverTempRules.h"
#include "OverTempSnapItem.h"
#include "TempSnapRules.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "FileDataCacheHelper.h"
#include "OverTemperatureProcessDialog.h"
#include "PersonOpreateSelector.h"
#include "Piclab.h"
#include "System.h"

#include <QDebug>
#include <QEvent>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>

OverTempSnapWidget::OverTempSnapWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::OverTempSnapWidget>())
{
    m_ui->setupUi(this);
    m_bAlternateStyle = AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1;

    m_ui->listWidget->setFocusPolicy(Qt::NoFocus);
    m_ui->listWidget->setSelectionMode(QAbstractItemView::NoSelection);
    m_ui->listWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ui->listWidget->setSpacing(2);

    m_ui->infoLabel->setStyleSheet(QStringLiteral("color:#FFFFFF"));
    m_ui->infoLabel->setAlignment(Qt::AlignCenter);
    m_ui->infoLabel->setText(AppLanguageTr::translate(QStringLiteral("TK_OvertemperatureSnap")));
    m_ui->infoLabel->adjustSize();
    m_ui->infoLabel->setWordWrap(true);
    if (m_bAlternateStyle)
        m_ui->infoLabel->hide();

    m_pClearPushButton = new QPushButton(this);
    m_pClearPushButton->setObjectName(QStringLiteral("m_pClearPushButton"));
    m_pClearPushButton->setFixedSize(50, 25);
    m_pClearPushButton->hide();
    m_pClearPushButton->raise();
    // The list is emptied before the screen hears of it, so the screen's follow-up (clearing
    // the strip and storing the time) sees the list already cleared.
    connect(m_pClearPushButton, &QPushButton::clicked, this,
            qOverload<>(&OverTempSnapWidget::slot_clearOverTempSnapPicture));
    connect(m_pClearPushButton, &QPushButton::clicked, this,
            &OverTempSnapWidget::signalClearOverTempSnap);

    installEventFilter(this);

    m_pRefreshTimer = new QTimer(this);
    connect(m_pRefreshTimer, &QTimer::timeout, this, &OverTempSnapWidget::slot_handleOverTimeSnap);
    m_pRefreshTimer->start(OverTempRules::RefreshIntervalMs);
}

OverTempSnapWidget::~OverTempSnapWidget()
{
    m_pRefreshTimer->stop();
}

void OverTempSnapWidget::appendPersonInfo(const QString &url,
                                          const OrvaneSnapTargetSource &p_objSource,
                                          const OrvaneArchiveImageInfo &p_objArchiveImageInfo)
{
    QPixmap pixmap;
    if (!FileDataCacheHelper::tryLoadPixmapData(url, pixmap)) {
        qDebug().noquote() << " OverTempSnapWidget::appendPersonInfo pixmap is null url " << url;
        return;
    }

    QListWidget *list = m_ui->listWidget;
    while (list->count() >= m_nMaxCount)
        removeRow(list->count() - 1);

    auto *item = new QListWidgetItem();
    item->setSizeHint(cardSize());
    list->insertItem(0, item);

    auto *card = new OverTempSnapItem(this);
    card->resize(cardSize());
    card->installEventFilter(this);
    card->setSnapSource(p_objSource);
    card->setStrategy(m_objStrategy);
    card->setProperty("snapFaceSouce", QVariant::fromValue(p_objSource));
    card->setProperty("archiveImageInfo", QVariant::fromValue(p_objArchiveImageInfo));

    connect(card, &OverTempSnapItem::signalOpreatePerson, this,
            &OverTempSnapWidget::slotPicLabClicked);
    connect(card, &OverTempSnapItem::signalTemperature, this, &OverTempSnapWidget::slotOverTemp);
    connect(card, &OverTempSnapItem::signalSearch, this, &OverTempSnapWidget::slotSearch);
    list->setItemWidget(item, card);
}

int OverTempSnapWidget::cardCount() const
{
    return m_ui->listWidget->count();
}

OverTempSnapItem *OverTempSnapWidget::cardAt(int p_nRow) const
{
    QListWidget *list = m_ui->listWidget;
    return qobject_cast<OverTempSnapItem *>(list->itemWidget(list->item(p_nRow)));
}

void OverTempSnapWidget::removeRow(int p_nRow)
{
    QListWidget *list = m_ui->listWidget;
    if (OverTempSnapItem *card = cardAt(p_nRow)) {
        disconnect(card, nullptr, this, nullptr);
        // The card may be the sender of the request being handled.
        card->hide();
        card->deleteLater();
    }
    delete list->takeItem(p_nRow);
}

void OverTempSnapWidget::setCardSize(int p_nCardSize)
{
    const QSize size = OverTempRules::cardSize(p_nCardSize, cardSize());
    m_nCardWidth = size.width();
    m_nCardHeight = size.height();
    QListWidget *list = m_ui->listWidget;
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setSizeHint(size);
        if (OverTempSnapItem *card = cardAt(row)) {
            card->resize(size);
            card->borderWidget()->resize(size);
        }
    }
    setMaximumHeight(OverTempRules::listMaximumHeight(m_ui->infoLabel->height(), m_nCardHeight));
}

void OverTempSnapWidget::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    m_objStrategy = p_objStrategy;
    for (int row = 0; row < cardCount(); ++row) {
        if (OverTempSnapItem *card = cardAt(row))
            card->setStrategy(m_objStrategy);
    }
}

void OverTempSnapWidget::slotOverTempAlarmProcessFinished(
        QVector<OrvaneSnapTargetSource> snapSourceVec)
{
    qDebug() << "AlarmProcessFinished!!";
    for (int row = 0; row < cardCount() && !snapSourceVec.isEmpty();) {
        OverTempSnapItem *card = cardAt(row);
        const int alarmId =
                card ? card->property("snapFaceSouce").value<OrvaneSnapTargetSource>().alarmId
                     : FeverValues::NoValue;
        const auto match = std::find_if(snapSourceVec.begin(), snapSourceVec.end(),
                                        [alarmId](const OrvaneSnapTargetSource &source) {
                                            return source.alarmId == alarmId;
                                        });
        if (card && match != snapSourceVec.end()) {
            snapSourceVec.erase(match);
            removeRow(row);
        } else {
            ++row;
        }
    }
}

void OverTempSnapWidget::slot_handleOverTimeSnap()
{
    const qint64 now = System::getSecondCount();
    for (int row = 0; row < cardCount(); ++row) {
        OverTempSnapItem *card = cardAt(row);
        if (card && OverTempRules::isNewTagSeen(now, card->createTime()))
            card->hideNewTag(true);
    }
}

void OverTempSnapWidget::slot_clearOverTempSnapPicture(bool p_bTimerClear)
{
    const int clearTime = m_objStrategy.over_temp_clear_time;
    if (p_bTimerClear && clearTime < 1)
        return;
    const qint64 now = System::getSecondCount();
    for (int row = cardCount() - 1; row >= 0; --row) {
        OverTempSnapItem *card = cardAt(row);
        if (!p_bTimerClear
            || (card && TempSnapRules::isClearedByTime(now, card->createTime(), clearTime)))
            removeRow(row);
    }
}

void OverTempSnapWidget::slot_clearOverTempSnapPicture()
{
    slot_clearOverTempSnapPicture(false);
}

void OverTempSnapWidget::slotPicLabClicked(OpreateSelectorType type)
{
    if (auto *card = qobject_cast<OverTempSnapItem *>(sender()))
        openPersonOpreateSelector(card, type);
    emit signalStopSnapRefresh();
}

void OverTempSnapWidget::slotOverTemp()
{
    auto *card = qobject_cast<OverTempSnapItem *>(sender());
    if (!card)
        return;
    const auto source = card->property("snapFaceSouce").value<OrvaneSnapTargetSource>();
    if (source.hasTemperature == 1)
        openProcessDialog(source);
}

void OverTempSnapWidget::slotSearch()
{
    if (auto *card = qobject_cast<OverTempSnapItem *>(sender()))
        emit signalSearch(card->picUrl());
}

void OverTempSnapWidget::slotCloseAdd() {}

void OverTempSnapWidget::slotAddperson() {}

void OverTempSnapWidget::openProcessDialog(const OrvaneSnapTargetSource &p_objSource)
{
    if (p_objSource.alarmId == FeverValues::NoValue) {
        setTips(AppLanguageTr::translate(QStringLiteral("TK_NotSupport")), BaseWidget::TipFailure);
        return;
    }
    if (!m_pProcessDialog)
        m_pProcessDialog = new OverTemperatureProcessDialog(this);
    m_pProcessDialog->setOpenDialogVisible(false);
    m_pProcessDialog->openDialog(p_objSource, false);
}

void OverTempSnapWidget::openPersonOpreateSelector(OverTempSnapItem *p_pCard,
                                                   OpreateSelectorType p_eType)
{
    int archiveId = FeverValues::NoValue;
    int archiveGroupId = FeverValues::NoValue;
    const QVariant info = p_pCard->property("archiveImageInfo");
    if (info.isValid()) {
        const auto archive = info.value<OrvaneArchiveImageInfo>();
        archiveId = archive.archiveId;
        archiveGroupId = archive.archiveGroupId;
    }
    Piclab *picture = p_pCard->picWidget();
    PersonOpreateSelector::instance()->openPersonOpreateSelector(
            p_eType, picture->getPicurl(), archiveGroupId, archiveId,
            picture->mapToGlobal(picture->pos()));
}

void OverTempSnapWidget::retranslateUi()
{
    m_ui->infoLabel->setText(AppLanguageTr::translate(QStringLiteral("TK_OvertemperatureSnap")));
}

bool OverTempSnapWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto *card = qobject_cast<OverTempSnapItem *>(watched)) {
            if (m_objStrategy.get_image_display_mode() == 1)
                return BaseWidget::eventFilter(watched, event);
            const auto source = card->property("snapFaceSouce").value<OrvaneSnapTargetSource>();
            if (source.hasTemperature == 1)
                openProcessDialog(source);
            else
                openPersonOpreateSelector(card, OpreateAddOrUpdate);
            return true;
        }
    }
    if (watched == this) {
        switch (event->type()) {
        case QEvent::Enter:
            m_pClearPushButton->show();
            break;
        case QEvent::Leave:
            m_pClearPushButton->hide();
            break;
        case QEvent::Resize:
            m_pClearPushButton->move(m_ui->widget->width() - m_pClearPushButton->width(),
                                     m_bAlternateStyle ? 0 : 30);
            return true;
        default:
            break;
        }
    }
    return BaseWidget::eventFilter(watched, event);
}

void OverTempSnapWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    // Lets the host's style sheet paint the background of this plain widget.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
