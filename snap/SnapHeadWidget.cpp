#include "SnapHeadWidget.h"
#include "ui_SnapHeadWidget.h"

#include "PaintedPieceRules.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

SnapHeadWidget::SnapHeadWidget(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::SnapHeadWidget>())
{
    m_ui->setupUi(this);
    // A child timer goes with the head: a static single shot would outlive a head deleted
    // early and pile up for 30 s under heavy traffic.
    auto *lifetime = new QTimer(this);
    lifetime->setSingleShot(true);
    connect(lifetime, &QTimer::timeout, this, &SnapHeadWidget::sigDestory);
    lifetime->start(LifetimeMs);
}

SnapHeadWidget::~SnapHeadWidget() = default;

void SnapHeadWidget::setImage(const QImage &p_image, int p_nKey)
{
    m_image = p_image;
    m_mapImages.insert(p_nKey, p_image);
    update();
}

QImage SnapHeadWidget::image(int p_nKey) const
{
    return m_mapImages.value(p_nKey);
}

void SnapHeadWidget::setState(int p_nState)
{
    m_nState = p_nState;
    update();
}

void SnapHeadWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const PaintedPieceRules::HeadRing ring = PaintedPieceRules::headRing(size());
    const QRect disc(ring.margin, ring.margin, ring.diameter, ring.diameter);
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(QPen(QBrush(PaintedPieceRules::headRingColour(m_nState)), ring.width,
                        Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawArc(disc, 0, 5760);

    const int centre = ring.diameter / 2 + ring.margin;
    const int radius = (ring.diameter - ring.width) / 2;
    QPainterPath clip;
    clip.addEllipse(QPoint(centre, centre), radius, radius);
    painter.setClipPath(clip);
    if (!m_image.isNull())
        painter.drawImage(disc, m_image);
}

void SnapHeadWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const PaintedPieceRules::HeadRing ring = PaintedPieceRules::headRing(size());
    QBitmap mask(size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(QPen(Qt::color1, ring.width));
    painter.setBrush(Qt::color1);
    painter.drawEllipse(ring.margin, ring.margin, ring.diameter, ring.diameter);
    painter.end();
    setMask(mask);
}
