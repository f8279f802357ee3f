#pragma once

#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

class QTimer;

// Painted player area of FormVideoPlayer: a grid of video windows. A window that plays shows a
// moving test picture with its channel name and the clock; the repaint timer runs only while at
// least one window plays.
class VideoGridWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FrameIntervalMs = 100;

    struct Window
    {
        int nChannelId = -99999;
        QString strChannelUid;
        QString strName;
        int nStreamId = 0;
        bool isPlaying() const { return nChannelId != -99999; }
    };

    explicit VideoGridWidget(QWidget *parent = nullptr);
    ~VideoGridWidget() override;

    // Cells of a square grid large enough for count windows, row by row, with a 2-pixel gap.
    static QVector<QRect> windowRects(const QSize &area, int count);

    void setWindowCount(int count);
    int windowCount() const;
    const QVector<Window> &windows() const { return m_vecWindows; }
    void setWindow(int index, const Window &window);
    void clearWindow(int index);
    void clearAll();
    int selectedIndex() const { return m_nSelected; }
    void setSelectedIndex(int index);
    int windowAt(const QPoint &pos) const;
    bool isAnimating() const;
    quint64 frameCount() const { return m_nFrame; }

signals:
    void windowClicked(int index);
    void windowDoubleClicked(int index);
    void layoutChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateTimer();
    void paintWindow(QPainter &painter, const QRect &rect, const Window &window, bool selected);

    QVector<Window> m_vecWindows;
    int m_nSelected = 0;
    quint64 m_nFrame = 0;
    QTimer *m_pFrameTimer = nullptr;
};
