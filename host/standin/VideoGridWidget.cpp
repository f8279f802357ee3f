#include "VideoGridWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace {
constexpr int Gap = 2;
} // namespace

VideoGridWidget::VideoGridWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("videoGridWidget"));
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pFrameTimer = new QTimer(this);
    m_pFrameTimer->setInterval(FrameIntervalMs);
    connect(m_pFrameTimer, &QTimer::timeout, this, [this]() {
        ++m_nFrame;
        update();
    });
    setWindowCount(4);
}

VideoGridWidget::~VideoGridWidget() = default;

QVector<QRect> VideoGridWidget::windowRects(const QSize &area, int count)
{
    QVector<QRect> rects;
    if (count <= 0 || area.width() <= 0 || area.height() <= 0)
        return rects;
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int cellWidth = (area.width() - Gap * (side - 1)) / side;
    const int cellHeight = (area.height() - Gap * (side - 1)) / side;
    for (int i = 0; i < count; ++i) {
        const int row = i / side;
        const int column = i % side;
        rects.append(QRect(column * (cellWidth + Gap), row * (cellHeight + Gap), qMax(1, cellWidth),
                           qMax(1, cellHeight)));
    }
    return rects;
}

void VideoGridWidget::setWindowCount(int count)
{
    count = qBound(1, count, 64);
    if (count == m_vecWindows.size())
        return;
    m_vecWindows.resize(count);
    if (m_nSelected >= count)
        m_nSelected = 0;
    updateTimer();
    update();
    emit layoutChanged();
}

int VideoGridWidget::windowCount() const
{
    return m_vecWindows.size();
}

void VideoGridWidget::setWindow(int index, const Window &window)
{
    if (index < 0 || index >= m_vecWindows.size())
        return;
    m_vecWindows[index] = window;
    updateTimer();
    update();
}

void VideoGridWidget::clearWindow(int index)
{
    setWindow(index, Window());
}

void VideoGridWidget::clearAll()
{
    for (Window &window : m_vecWindows)
        window = Window();
    updateTimer();
    update();
}

void VideoGridWidget::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_vecWindows.size())
        return;
    m_nSelected = index;
    update();
}

int VideoGridWidget::windowAt(const QPoint &pos) const
{
    const QVector<QRect> rects = windowRects(size(), m_vecWindows.size());
    for (int i = 0; i < rects.size(); ++i) {
        if (rects.at(i).contains(pos))
            return i;
    }
    return -1;
}

bool VideoGridWidget::isAnimating() const
{
    return m_pFrameTimer->isActive();
}

void VideoGridWidget::updateTimer()
{
    bool playing = false;
    for (const Window &window : qAsConst(m_vecWindows))
        playing = playing || window.isPlaying();
    if (playing && !m_pFrameTimer->isActive())
        m_pFrameTimer->start();
    else if (!playing)
        m_pFrameTimer->stop();
}

void VideoGridWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), QColor(10, 12, 16));
    const QVector<QRect> rects = windowRects(size(), m_vecWindows.size());
    for (int i = 0; i < rects.size(); ++i)
        paintWindow(painter, rects.at(i), m_vecWindows.at(i), i == m_nSelected);
}

void VideoGridWidget::paintWindow(QPainter &painter, const QRect &rect, const Window &window,
                                  bool selected)
{
    painter.save();
    painter.setClipRect(rect);
    if (!window.isPlaying()) {
        painter.fillRect(rect, QColor(24, 27, 33));
        painter.setPen(QColor(90, 96, 108));
        painter.drawText(rect, Qt::AlignCenter, tr("No video"));
    } else {
        // Test picture: drifting colour bars and a bouncing marker, so a frozen window shows.
        const int bars = 7;
        const int offset =
                static_cast<int>(m_nFrame * 4 % static_cast<quint64>(qMax(1, rect.width())));
        for (int b = 0; b < bars + 1; ++b) {
            const int width = rect.width() / bars + 1;
            const int x = rect.x() + ((b * width + offset) % (rect.width() + width)) - width;
            painter.fillRect(
                    QRect(x, rect.y(), width, rect.height()),
                    QColor::fromHsv(
                            static_cast<int>((static_cast<unsigned>(b) * 360u / bars
                                              + static_cast<unsigned>(window.nChannelId) * 37u)
                                             % 360u),
                            90, 90));
        }
        const double phase = static_cast<double>(m_nFrame) / 10.0;
        const int radius = qMax(4, qMin(rect.width(), rect.height()) / 10);
        const QPoint centre(
                rect.center().x() + static_cast<int>(std::sin(phase) * rect.width() / 3),
                rect.center().y() + static_cast<int>(std::cos(phase * 0.7) * rect.height() / 4));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(QColor(240, 240, 240, 200));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(centre, radius, radius);

        const QRect band(rect.x(), rect.bottom() - 26, rect.width(), 27);
        painter.fillRect(band, QColor(0, 0, 0, 150));
        painter.setPen(Qt::white);
        painter.drawText(
                band.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                painter.fontMetrics().elidedText(window.strName, Qt::ElideRight, band.width() / 2));
        painter.drawText(band.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignRight,
                         QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))
                                 + (window.nStreamId == 0 ? tr("  main") : tr("  sub")));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(selected ? QColor(25, 246, 255) : QColor(52, 58, 68), selected ? 2 : 1));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void VideoGridWidget::mousePressEvent(QMouseEvent *event)
{
    const int index = windowAt(event->pos());
    if (index >= 0) {
        setSelectedIndex(index);
        emit windowClicked(index);
    }
    QWidget::mousePressEvent(event);
}

void VideoGridWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = windowAt(event->pos());
    if (index >= 0)
        emit windowDoubleClicked(index);
    QWidget::mouseDoubleClickEvent(event);
}

void VideoGridWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit layoutChanged();
}
