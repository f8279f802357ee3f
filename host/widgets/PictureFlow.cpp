#include "PictureFlow.h"

#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

PictureFlow::PictureFlow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PictureFlow"));
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    m_pAnimation = new QVariantAnimation(this);
    m_pAnimation->setDuration(AnimationMs);
    m_pAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_pAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_dPosition = value.toDouble();
        update();
    });
}

PictureFlow::~PictureFlow() = default;

QVector<QRectF> PictureFlow::slideRects(const QSize &area, int count, double position,
                                        const QSize &slideSize, bool reverse)
{
    QVector<QRectF> rects;
    if (count <= 0 || slideSize.isEmpty())
        return rects;
    const QPointF centre(area.width() / 2.0, area.height() / 2.0);
    const double sideWidth = slideSize.width() * SideScale;
    for (int i = 0; i < count; ++i) {
        const double distance = (i - position) * (reverse ? -1.0 : 1.0);
        const double scale = 1.0 - (1.0 - SideScale) * qMin(1.0, std::fabs(distance));
        const QSizeF size(slideSize.width() * scale, slideSize.height() * scale);
        // Neighbours overlap the centre slide by a quarter of their width.
        double x = centre.x() - size.width() / 2.0;
        if (distance != 0.0) {
            const double sign = distance > 0 ? 1.0 : -1.0;
            const double steps = std::fabs(distance);
            const double first = qMin(1.0, steps);
            x += sign * first * (slideSize.width() / 2.0 + sideWidth / 4.0);
            if (steps > 1.0)
                x += sign * (steps - 1.0) * sideWidth * 0.75;
        }
        rects.append(QRectF(QPointF(x, centre.y() - size.height() / 2.0), size));
    }
    return rects;
}

QSize PictureFlow::fittedSlideSize(const QSize &slideSize, const QSize &area)
{
    if (slideSize.isEmpty() || area.isEmpty())
        return slideSize;
    const QSize room(area.width() * 9 / 10, area.height() * 9 / 10);
    if (slideSize.width() <= room.width() && slideSize.height() <= room.height())
        return slideSize;
    return slideSize.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QRect PictureFlow::visibleArea() const
{
    if (!parentWidget())
        return rect();
    return rect().intersected(QRect(mapFromParent(QPoint(0, 0)), parentWidget()->size()));
}

void PictureFlow::setReflectionEffect(int effect)
{
    m_nReflection = effect;
    update();
}

void PictureFlow::setSlideReverse(bool reverse)
{
    m_bReverse = reverse;
    update();
}

void PictureFlow::setSlideSize(const QSize &size)
{
    if (size.isEmpty())
        return;
    m_slideSize = size;
    update();
}

int PictureFlow::slideCount() const
{
    return m_vecSlides.size();
}

QImage PictureFlow::slide(int index) const
{
    return m_vecSlides.value(index);
}

void PictureFlow::setSlide(int index, const QImage &image)
{
    if (index < 0 || index >= m_vecSlides.size())
        return;
    // Moving a slide to another place keeps its scaled copy.
    QPixmap scaled;
    for (int i = 0; i < m_vecSlides.size(); ++i) {
        if (m_vecSlides.at(i).cacheKey() == image.cacheKey()) {
            scaled = m_vecScaled.at(i);
            break;
        }
    }
    m_vecSlides[index] = image;
    m_vecScaled[index] = scaled;
    update();
}

void PictureFlow::addSlide(const QImage &image)
{
    m_vecSlides.append(image);
    m_vecScaled.append(QPixmap());
    update();
}

void PictureFlow::setCenterIndex(int index)
{
    if (m_vecSlides.isEmpty())
        index = 0;
    else
        index = qBound(0, index, m_vecSlides.size() - 1);
    m_pAnimation->stop();
    m_nCenter = index;
    m_dPosition = index;
    update();
}

void PictureFlow::showSlide(int index)
{
    if (m_vecSlides.isEmpty())
        return;
    index = qBound(0, index, m_vecSlides.size() - 1);
    if (!isVisible())
        show();
    raise();
    m_nCenter = index;
    m_pAnimation->stop();
    m_pAnimation->setStartValue(m_dPosition);
    m_pAnimation->setEndValue(static_cast<double>(index));
    m_pAnimation->start();
}

void PictureFlow::clear()
{
    m_pAnimation->stop();
    m_vecSlides.clear();
    m_vecScaled.clear();
    m_nCenter = 0;
    m_dPosition = 0.0;
    hide();
    update();
}

const QPixmap &PictureFlow::scaledSlide(int index, const QSize &size)
{
    QPixmap &scaled = m_vecScaled[index];
    if (scaled.size() != size)
        scaled = QPixmap::fromImage(m_vecSlides.at(index).scaled(size, Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation));
    return scaled;
}

void PictureFlow::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRect area = visibleArea();
    if (area.isEmpty())
        return;
    painter.translate(area.topLeft());
    const QVector<QRectF> rects = slideRects(area.size(), m_vecSlides.size(), m_dPosition,
                                             fittedSlideSize(m_slideSize, area.size()), m_bReverse);
    // Farthest first, so the centre slide ends on top.
    QVector<int> order;
    for (int i = 0; i < rects.size(); ++i)
        order.append(i);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        return std::fabs(a - m_dPosition) > std::fabs(b - m_dPosition);
    });
    for (int i : order) {
        const QRectF &target = rects.at(i);
        const double distance = std::fabs(i - m_dPosition);
        painter.setOpacity(1.0 - 0.35 * qMin(1.0, distance));
        const QRect pixels = target.toRect();
        if (m_pAnimation->state() == QAbstractAnimation::Running) {
            // Sizes change every frame while sliding: scale the full-size copy on the fly.
            painter.drawPixmap(pixels, scaledSlide(i, fittedSlideSize(m_slideSize, area.size())));
        } else {
            painter.drawPixmap(pixels.topLeft(), scaledSlide(i, pixels.size()));
        }
        if (m_nReflection != NoReflection) {
            const QRectF mirror(target.bottomLeft(), QSizeF(target.width(), target.height() / 4));
            painter.save();
            painter.setOpacity(0.2 * (1.0 - 0.35 * qMin(1.0, distance)));
            painter.drawImage(
                    mirror, m_vecSlides.at(i).mirrored(false, true),
                    QRectF(0, 0, m_vecSlides.at(i).width(), m_vecSlides.at(i).height() / 4.0));
            painter.restore();
        }
    }
}
