#pragma once

#include <QImage>
#include <QPair>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

class StreamTile;

// The grid of video windows inside FormVideoPlayer. Each playing window shows its channel's
// live stream (decoded off the user-interface thread), or why it cannot play. A double click
// enlarges a window to the whole grid and back; with picture-in-picture open, the enlarged or
// single window carries a small copy of the next playing window.
class FormPlayer : public QWidget
{
    Q_OBJECT
public:
    static constexpr int NoChannel = -99999;

    struct Window
    {
        int nChannelId = NoChannel;
        QString strChannelUid;
        QString strName;
        QString strStream;
        int nStreamId = 0;
        bool isPlaying() const { return nChannelId != NoChannel; }
    };

    explicit FormPlayer(QWidget *parent = nullptr);
    ~FormPlayer() override;

    // Window count of a layout mode: 1 → 1, 2 → 4, 3 → 9, 4 → 16; 0 and unknown modes → 4.
    static int windowCountForMode(int mode);
    // Cells of a square grid large enough for count windows, row by row, with a 2-pixel gap.
    static QVector<QRect> windowRects(const QSize &area, int count);
    // Inset of picture-in-picture inside the area: "x,y,w,h" as fractions of it; a malformed
    // or out-of-range text gives the bottom-right quarter.
    static QRect picInPicRect(const QRect &area, const QString &position);

    void setLayoutMode(int mode);
    int getCurLayoutMode() const { return m_nLayoutMode; }
    // (window index, channel id) of every playing window.
    QVector<QPair<int, int>> getCurrLayoutList() const;
    bool hasWinBig() const { return m_nBigIndex >= 0; }
    int bigIndex() const { return m_nBigIndex; }
    void setWinBig(int index);

    int windowCount() const { return m_vecWindows.size(); }
    const QVector<Window> &windows() const { return m_vecWindows; }
    void setWindow(int index, const Window &window);
    void clearAll();
    int selectedIndex() const { return m_nSelected; }
    void setSelectedIndex(int index);
    int windowAt(const QPoint &pos) const;
    void setPicInPic(bool open, const QVector<QString> &positions);

    // Latest frame of a window, why it does not play, and its frame count (for tests and the
    // benchmark).
    QImage frameOf(int index) const;
    QString messageOf(int index) const;
    quint64 frameCountOf(int index) const;
    // True while at least one window holds a stream.
    bool isAnimating() const;

public slots:
    void closeWindow(int index);
    void closeAllWindows();

signals:
    void windowClicked(int index);
    void doubleclicked(int index);
    void sigSelectedLayoutMode(int mode);
    void close(int index);
    void closeAll();
    void layoutChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setWindowCount(int count);
    QVector<QRect> visibleRects() const;
    void paintWindow(QPainter &painter, const QRect &rect, int index, bool selected);
    int picInPicSource() const;

    QVector<Window> m_vecWindows;
    QVector<StreamTile *> m_vecTiles; // children, one per window
    int m_nLayoutMode = 0;
    int m_nSelected = 0;
    int m_nBigIndex = -1;
    bool m_bPicInPic = false;
    QVector<QString> m_vecPicInPicPos;
};
