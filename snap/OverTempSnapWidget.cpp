#include "OverTempSnapWidget.h"
#include "ui_OverTempSnapWidget.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QTimer>

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
    m_pRefreshTimer->start(5000);
}

OverTempSnapWidget::~OverTempSnapWidget()
{
    m_pRefreshTimer->stop();
}

void OverTempSnapWidget::setCardSize(int p_nCardSize)
{
    // Resizing the cards is filled by the card-list issue.
    Q_UNUSED(p_nCardSize)
}

void OverTempSnapWidget::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    // Re-applying the strategy to existing cards is filled by the card-list issue.
    m_objStrategy = p_objStrategy;
}

void OverTempSnapWidget::slotOverTempAlarmProcessFinished(
        QVector<OrvaneSnapTargetSource> snapSourceVec)
{
    // Removing the cards of handled alarms is filled by the card-list issue.
    Q_UNUSED(snapSourceVec)
}

void OverTempSnapWidget::slot_handleOverTimeSnap()
{
    // Hiding the NEW tag of cards older than a minute is filled by the card-list issue.
}

void OverTempSnapWidget::slot_clearOverTempSnapPicture(bool p_bTimerClear)
{
    // Filled by the card-list issue.
    Q_UNUSED(p_bTimerClear)
}

void OverTempSnapWidget::slot_clearOverTempSnapPicture()
{
    slot_clearOverTempSnapPicture(false);
}

void OverTempSnapWidget::retranslateUi()
{
    m_ui->infoLabel->setText(AppLanguageTr::translate(QStringLiteral("TK_OvertemperatureSnap")));
}

bool OverTempSnapWidget::eventFilter(QObject *watched, QEvent *event)
{
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
