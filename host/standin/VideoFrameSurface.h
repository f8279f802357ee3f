#pragma once

#include <QAbstractVideoSurface>
#include <QImage>

// Receives decoded frames from a media player and keeps the latest as an image. Needs no window,
// so frames arrive under the offscreen platform too. Decoding runs on the media framework's own
// threads; present() only copies the finished frame.
class VideoFrameSurface : public QAbstractVideoSurface
{
    Q_OBJECT
public:
    explicit VideoFrameSurface(QObject *parent = nullptr);

    QList<QVideoFrame::PixelFormat>
    supportedPixelFormats(QAbstractVideoBuffer::HandleType type) const override;
    bool present(const QVideoFrame &frame) override;

    QImage lastFrame() const { return m_lastFrame; }
    quint64 frameCount() const { return m_nFrames; }
    void clear();

signals:
    void frameReady();

private:
    QImage m_lastFrame;
    quint64 m_nFrames = 0;
};
