#include "FormPlayer.h"

#include "StreamTile.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr int Gap = 2;
constexpr int MaxWindows = 16;
} // namespace

FormPlayer::FormPlayer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormPlayer"));
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setWindowCount(windowCountForMode(0));
}

FormPlayer::~FormPlayer() = default;

int FormPlayer::windowCountForMode(int mode)
{
    switch (mode) {
    case 1:
        return 1;
    case 3:
        return 9;
    case 4:
        return 16;
    default:
        return 4;
    }
}

QVector<QRect> FormPlayer::windowRects(const QSize &area, int count)
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

QRect FormPlayer::picInPicRect(const QRect &area, const QString &position)
{
    const QStringList parts = position.split(QLatin1Char(','));
    double v[4] = {0.72, 0.72, 0.26, 0.26};
    if (parts.size() == 4) {
        double parsed[4];
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i)
            parsed[i] = parts.at(i).trimmed().toDouble(&ok);
        ok = ok && parsed[0] >= 0 && parsed[1] >= 0 && parsed[2] > 0.05 && parsed[3] > 0.05
             && parsed[0] + parsed[2] <= 1.0 && parsed[1] + parsed[3] <= 1.0;
        if (ok)
            std::copy(parsed, parsed + 4, v);
    }
    return QRect(area.x() + int(area.width() * v[0]), area.y() + int(area.height() * v[1]),
                 int(area.width() * v[2]), int(area.height() * v[3]));
}

void FormPlayer::setLayoutMode(int mode)
{
    m_nLayoutMode = mode < 0 ? 0 : mode;
    m_nBigIndex = -1;
    setWindowCount(windowCountForMode(m_nLayoutMode));
    emit sigSelectedLayoutMode(m_nLayoutMode);
}

QVector<QPair<int, int>> FormPlayer::getCurrLayoutList() const
{
    QVector<QPair<int, int>> list;
    for (int i = 0; i < m_vecWindows.size(); ++i) {
        if (m_vecWindows.at(i).isPlaying())
            list.append(qMakePair(i, m_vecWindows.at(i).nChannelId));
    }
    return list;
}

void FormPlayer::setWinBig(int index)
{
    m_nBigIndex = (index >= 0 && index < m_vecWindows.size()) ? index : -1;
    update();
    emit layoutChanged();
}

void FormPlayer::setWindowCount(int count)
{
    count = qBound(1, count, MaxWindows);
    if (count == m_vecWindows.size())
        return;
    // Windows beyond the new count stop; their tiles go with them.
    while (m_vecTiles.size() > count) {
        StreamTile *tile = m_vecTiles.takeLast();
        tile->stop();
        tile->deleteLater();
    }
    while (m_vecTiles.size() < count) {
        auto *tile = new StreamTile(this);
        connect(tile, &StreamTile::changed, this, [this, tile] {
            const int index = m_vecTiles.indexOf(tile);
            const QVector<QRect> rects = visibleRects();
            if (index >= 0 && index < rects.size() && !m_bPicInPic)
                update(rects.at(index));
            else
                update();
        });
        m_vecTiles.append(tile);
    }
    m_vecWindows.resize(count);
    if (m_nSelected >= count)
        m_nSelected = 0;
    if (m_nBigIndex >= count)
        m_nBigIndex = -1;
    update();
    emit layoutChanged();
}

void FormPlayer::setWindow(int index, const Window &window)
{
    if (index < 0 || index >= m_vecWindows.size())
        return;
    m_vecWindows[index] = window;
    if (window.isPlaying())
        m_vecTiles.at(index)->play(window.strName, window.strStream);
    else
        m_vecTiles.at(index)->stop();
    update();
}

void FormPlayer::clearAll()
{
    for (int i = 0; i < m_vecWindows.size(); ++i) {
        m_vecWindows[i] = Window();
        m_vecTiles.at(i)->stop();
    }
    m_nBigIndex = -1;
    update();
}

void FormPlayer::closeWindow(int index)
{
    if (index < 0 || index >= m_vecWindows.size())
        return;
    setWindow(index, Window());
    emit close(index);
}

void FormPlayer::closeAllWindows()
{
    clearAll();
    emit closeAll();
}

void FormPlayer::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_vecWindows.size())
        return;
    m_nSelected = index;
    update();
}

QVector<QRect> FormPlayer::visibleRects() const
{
    if (m_nBigIndex < 0)
        return windowRects(size(), m_vecWindows.size());
    // Only the enlarged window is seen; the others keep playing behind it.
    QVector<QRect> rects(m_vecWindows.size(), QRect());
    rects[m_nBigIndex] = rect();
    return rects;
}

int FormPlayer::windowAt(const QPoint &pos) const
{
    const QVector<QRect> rects = visibleRects();
    for (int i = 0; i < rects.size(); ++i) {
        if (rects.at(i).contains(pos))
            return i;
    }
    return -1;
}

void FormPlayer::setPicInPic(bool open, const QVector<QString> &positions)
{
    m_bPicInPic = open;
    m_vecPicInPicPos = positions;
    update();
}

QImage FormPlayer::frameOf(int index) const
{
    return index >= 0 && index < m_vecTiles.size() ? m_vecTiles.at(index)->frame() : QImage();
}

QString FormPlayer::messageOf(int index) const
{
    return index >= 0 && index < m_vecTiles.size() ? m_vecTiles.at(index)->message() : QString();
}

quint64 FormPlayer::frameCountOf(int index) const
{
    return index >= 0 && index < m_vecTiles.size() ? m_vecTiles.at(index)->frameCount() : 0;
}

bool FormPlayer::isAnimating() const
{
    for (const StreamTile *tile : m_vecTiles) {
        if (tile->state() != StreamTile::State::Idle)
            return true;
    }
    return false;
}

int FormPlayer::picInPicSource() const
{
    // The inset shows the next playing window after the one filling the area.
    const int main = m_nBigIndex >= 0 ? m_nBigIndex : 0;
    if (!m_bPicInPic || (m_nBigIndex < 0 && m_vecWindows.size() != 1))
        return -1;
    for (int step = 1; step < m_vecWindows.size(); ++step) {
        const int index = (main + step) % m_vecWindows.size();
        if (m_vecWindows.at(index).isPlaying())
            return index;
    }
    return -1;
}

void FormPlayer::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(10, 12, 16));
    const QVector<QRect> rects = visibleRects();
    for (int i = 0; i < rects.size(); ++i) {
        if (!rects.at(i).isEmpty() && rects.at(i).intersects(event->rect()))
            paintWindow(painter, rects.at(i), i, i == m_nSelected && m_nBigIndex < 0);
    }
    const int inset = picInPicSource();
    if (inset >= 0) {
        const QRect area = m_nBigIndex >= 0 ? rects.at(m_nBigIndex) : rects.value(0);
        paintWindow(painter, picInPicRect(area, m_vecPicInPicPos.value(0)), inset, true);
    }
}

void FormPlayer::paintWindow(QPainter &painter, const QRect &rect, int index, bool selected)
{
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, QColor(24, 27, 33));
    const Window &window = m_vecWindows.at(index);
    const QImage frame = m_vecTiles.at(index)->frame();
    if (!window.isPlaying()) {
        painter.setPen(QColor(90, 96, 108));
        painter.drawText(rect, Qt::AlignCenter, tr("No video"));
    } else if (!frame.isNull()) {
        const QSize scaled = frame.size().scaled(rect.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), scaled);
        target.moveCenter(rect.center());
        painter.drawImage(target, frame);
    } else {
        // Texts from the platform stay plain: drawText never reads markup.
        painter.setPen(QColor(220, 120, 110));
        painter.drawText(rect.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         m_vecTiles.at(index)->message());
    }
    painter.setPen(QPen(selected ? QColor(25, 246, 255) : QColor(52, 58, 68), selected ? 2 : 1));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void FormPlayer::mousePressEvent(QMouseEvent *event)
{
    const int index = windowAt(event->pos());
    if (index >= 0 && event->button() == Qt::LeftButton) {
        setSelectedIndex(index);
        emit windowClicked(index);
    }
    QWidget::mousePressEvent(event);
}

void FormPlayer::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = windowAt(event->pos());
    if (index >= 0) {
        setWinBig(hasWinBig() ? -1 : index);
        emit doubleclicked(index);
    }
    QWidget::mouseDoubleClickEvent(event);
}

void FormPlayer::contextMenuEvent(QContextMenuEvent *event)
{
    const int index = windowAt(event->pos());
    QMenu menu(this);
    QAction *closeOne = menu.addAction(tr("Close"));
    closeOne->setEnabled(index >= 0 && m_vecWindows.at(index).isPlaying());
    QAction *closeEvery = menu.addAction(tr("Close all"));
    QAction *chosen = menu.exec(event->globalPos());
    if (chosen == closeOne)
        closeWindow(index);
    else if (chosen == closeEvery)
        closeAllWindows();
}

void FormPlayer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit layoutChanged();
}
