#include "SNSwitchControl.h"

#include "QssFormatHelper.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

SNSwitchControl::SNSwitchControl(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

SNSwitchControl::~SNSwitchControl() = default;

void SNSwitchControl::setToggle(bool p_bChecked, bool p_bAnimation)
{
    Q_UNUSED(p_bAnimation)
    if (m_bChecked == p_bChecked)
        return;
    m_bChecked = p_bChecked;
    update();
    emit toggled(m_bChecked);
}

QSize SNSwitchControl::sizeHint() const
{
    return QSize(40, 20);
}

void SNSwitchControl::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QssFormatHelper::findColorByKey(
            m_bChecked ? QStringLiteral("$highlight_color") : QStringLiteral("$border_color_2")));
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = m_bChecked ? track.right() - knob - 2 : track.left() + 2;
    painter.setBrush(isEnabled() ? Qt::white : QColor(0xb0, 0xb0, 0xb0));
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

void SNSwitchControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->pos())) {
        setToggle(!m_bChecked);
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void SNSwitchControl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space) {
        setToggle(!m_bChecked);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
