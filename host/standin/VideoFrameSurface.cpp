#include "VideoFrameSurface.h"

VideoFrameSurface::VideoFrameSurface(QObject *parent)
    : QAbstractVideoSurface(parent)
{
}

QList<QVideoFrame::PixelFormat>
VideoFrameSurface::supportedPixelFormats(QAbstractVideoBuffer::HandleType type) const
{
    if (type != QAbstractVideoBuffer::NoHandle)
        return {};
    return {QVideoFrame::Format_RGB32, QVideoFrame::Format_ARGB32,
            QVideoFrame::Format_ARGB32_Premultiplied};
}

bool VideoFrameSurface::present(const QVideoFrame &frame)
{
    QVideoFrame mapped(frame);
    if (!mapped.map(QAbstractVideoBuffer::ReadOnly))
        return false;
    const QImage::Format format = QVideoFrame::imageFormatFromPixelFormat(mapped.pixelFormat());
    if (format == QImage::Format_Invalid) {
        mapped.unmap();
        return false;
    }
    // The buffer belongs to the player and is reused once unmapped: keep a deep copy.
    m_lastFrame =
            QImage(mapped.bits(), mapped.width(), mapped.height(), mapped.bytesPerLine(), format)
                    .copy();
    mapped.unmap();
    ++m_nFrames;
    emit frameReady();
    return true;
}

void VideoFrameSurface::clear()
{
    m_lastFrame = QImage();
}
