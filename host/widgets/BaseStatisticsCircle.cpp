#include "BaseStatisticsCircle.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor RingColour(72, 84, 96);
const QColor PartColour(238, 125, 111);
const QColor InnerColour(243, 190, 84);
const QColor TextColour(236, 238, 239);

} // namespace

BaseStatisticsCircle::BaseStatisticsCircle(QWidget *parent)
    : BaseWidget(parent)
{
}

BaseStatisticsCircle::~BaseStatisticsCircle() = default;

void BaseStatisticsCircle::setStatisticsNum(int p_nTotal, int p_nPartNum, int p_nInnerNum)
{
    m_nTotal = std::max(0, p_nTotal);
    m_nPart = std::max(0, p_nPartNum);
    m_nInner = std::max(0, p_nInnerNum);
    update();
}

void BaseStatisticsCircle::setInnerPartVisiable(bool p_bVisible)
{
    m_bInnerVisible = p_bVisible;
    update();
}

void BaseStatisticsCircle::setStatisticCountText(const QString &p_strText)
{
    m_strCountText = p_strText;
    update();
}

int BaseStatisticsCircle::arcSpan(int p_nTotal, int p_nPart)
{
    if (p_nTotal <= 0 || p_nPart <= 0)
        return 0;
    return int(qint64(std::min(p_nPart, p_nTotal)) * 5760 / p_nTotal);
}

void BaseStatisticsCircle::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const int side = std::min(width(), height());
    if (side < 20)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int pen = std::max(4, side / 12);
    const QRect outer((width() - side) / 2 + pen, (height() - side) / 2 + pen, side - 2 * pen,
                      side - 2 * pen);
    auto arc = [&painter](const QRect &rect, const QColor &colour, int width, int start, int span) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(rect, start, span);
    };
    // From twelve o'clock, clockwise.
    arc(outer, RingColour, pen, 0, 5760);
    arc(outer, PartColour, pen, 1440, -arcSpan(m_nTotal, m_nPart));
    if (m_bInnerVisible) {
        const int gap = pen + pen / 2 + 2;
        const QRect inner = outer.adjusted(gap, gap, -gap, -gap);
        const int innerPen = std::max(2, pen / 2);
        arc(inner, RingColour, innerPen, 0, 5760);
        arc(inner, InnerColour, innerPen, 1440, -arcSpan(m_nTotal, m_nInner));
    }

    QFont font = painter.font();
    font.setPixelSize(std::max(10, side / 6));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(TextColour);
    const QRect centre = outer.adjusted(0, 0, 0, -side / 10);
    painter.drawText(centre, Qt::AlignCenter, QString::number(m_nTotal));
    font.setBold(false);
    font.setPixelSize(std::max(8, side / 14));
    painter.setFont(font);
    painter.drawText(outer.adjusted(0, side / 5, 0, 0), Qt::AlignCenter, m_strCountText);
}
