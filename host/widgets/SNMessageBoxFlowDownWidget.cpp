#include "SNMessageBoxFlowDownWidget.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace {

const char *const ObjectName = "SNMessageBoxFlowDownWidget";

} // namespace

SNMessageBoxFlowDownWidget *SNMessageBoxFlowDownWidget::showMessage(const QString &p_strText,
                                                                    QWidget *p_pOwner, int p_nKind,
                                                                    int p_nFlag)
{
    Q_UNUSED(p_nFlag)
    if (!p_pOwner)
        return nullptr;
    SNMessageBoxFlowDownWidget *message = findOn(p_pOwner);
    if (!message)
        message = new SNMessageBoxFlowDownWidget(p_pOwner, VisibleMs);
    message->present(p_strText, p_nKind);
    return message;
}

SNMessageBoxFlowDownWidget *SNMessageBoxFlowDownWidget::findOn(const QWidget *p_pOwner)
{
    if (!p_pOwner)
        return nullptr;
    return p_pOwner->findChild<SNMessageBoxFlowDownWidget *>(QLatin1String(ObjectName),
                                                             Qt::FindDirectChildrenOnly);
}

SNMessageBoxFlowDownWidget::SNMessageBoxFlowDownWidget(QWidget *p_pOwner, int p_nVisibleMs)
    : QLabel(p_pOwner)
    , m_nVisibleMs(p_nVisibleMs)
    , m_pHoldTimer(new QTimer(this))
    , m_pOpacity(new QGraphicsOpacityEffect(this))
    , m_pFade(new QPropertyAnimation(m_pOpacity, "opacity", this))
{
    setObjectName(QLatin1String(ObjectName));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGraphicsEffect(m_pOpacity);
    m_pHoldTimer->setSingleShot(true);
    connect(m_pHoldTimer, &QTimer::timeout, this, &SNMessageBoxFlowDownWidget::startFade);
    m_pFade->setDuration(FadeMs);
    m_pFade->setStartValue(1.0);
    m_pFade->setEndValue(0.0);
    connect(m_pFade, &QPropertyAnimation::finished, this, &QWidget::hide);
    hide();
}

void SNMessageBoxFlowDownWidget::present(const QString &p_strText, int p_nKind)
{
    m_nKind = p_nKind;
    m_pFade->stop();
    m_pOpacity->setOpacity(1.0);
    setStyleSheet(styleSheetForKind(p_nKind));
    setText(p_strText);
    placeInParent();
    raise();
    show();
    m_pHoldTimer->start(m_nVisibleMs);
}

QString SNMessageBoxFlowDownWidget::styleSheetForKind(int p_nKind) const
{
    const char *background = p_nKind == 1 ? "#2e7d32" : p_nKind == 2 ? "#c62828" : "#37474f";
    return QStringLiteral("QLabel { background: %1; color: white; border-radius: 4px;"
                          " padding: 6px 14px; }")
            .arg(QLatin1String(background));
}

void SNMessageBoxFlowDownWidget::placeInParent()
{
    const QWidget *owner = parentWidget();
    const int width = qMin(owner->width() - 8, qMax(120, sizeHint().width()));
    resize(qMax(40, width), heightForWidth(qMax(40, width)) > 0 ? heightForWidth(qMax(40, width))
                                                                : sizeHint().height());
    move((owner->width() - this->width()) / 2, 4);
}

void SNMessageBoxFlowDownWidget::startFade()
{
    m_pFade->start();
}
