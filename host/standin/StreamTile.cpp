#include "StreamTile.h"

#include "SnapPathResolver.h"
#include "VideoFrameSurface.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#ifndef FEVER_DEFAULT_CLIP_DIR
#define FEVER_DEFAULT_CLIP_DIR ""
#endif

StreamTile::StreamTile(QObject *parent)
    : QObject(parent)
{
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &StreamTile::open);
}

void StreamTile::ensurePlayer()
{
    if (m_pPlayer)
        return;
    // The tiles show video only. Without a sink of its own the media backend reaches for the
    // sound server, which a headless machine does not run, and logs a warning for every player.
    if (!qEnvironmentVariableIsSet("QT_GSTREAMER_PLAYBIN_AUDIOSINK"))
        qputenv("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    m_pPlayer = new QMediaPlayer(this, QMediaPlayer::VideoSurface);
    m_pSurface = new VideoFrameSurface(this);
    m_pPlayer->setMuted(true);
    m_pPlayer->setVideoOutput(m_pSurface);
    connect(m_pSurface, &VideoFrameSurface::frameReady, this, [this] {
        if (m_state != State::Playing) {
            m_state = State::Playing;
            m_strMessage.clear();
            m_nRetryDelay = FirstRetryMs;
        }
        emit changed();
    });
    connect(m_pPlayer, &QMediaPlayer::mediaStatusChanged, this, &StreamTile::onStatusChanged);
    connect(m_pPlayer, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            &StreamTile::onError);
}

StreamTile::~StreamTile()
{
    if (m_pPlayer)
        m_pPlayer->stop();
}

QString StreamTile::clipFolder()
{
    const QString fromEnv = qEnvironmentVariable("FEVER_CLIP_DIR");
    return QDir::cleanPath(fromEnv.isEmpty() ? QStringLiteral(FEVER_DEFAULT_CLIP_DIR) : fromEnv);
}

QUrl StreamTile::resolveStream(const QString &stream, const QString &clipRoot, QString *why)
{
    const QString text = stream.trimmed();
    if (text.isEmpty()) {
        *why = QStringLiteral("no stream configured");
        return QUrl();
    }
    static const QStringList network = {QStringLiteral("rtsp"), QStringLiteral("http"),
                                        QStringLiteral("https")};
    const int schemeEnd = text.indexOf(QStringLiteral("://"));
    if (schemeEnd > 0) {
        const QUrl url(text, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || (scheme != QLatin1String("file") && !network.contains(scheme))
            || (scheme != QLatin1String("file") && url.host().isEmpty())) {
            *why = QStringLiteral("unsupported stream address");
            return QUrl();
        }
        return url;
    }
    if (QDir::isAbsolutePath(text))
        return QUrl::fromLocalFile(QDir::cleanPath(text));
    const QString inside = SnapPathResolver::resolveInside(clipRoot, text);
    if (clipRoot.isEmpty() || inside.isEmpty()) {
        *why = QStringLiteral("clip name outside the clip folder");
        return QUrl();
    }
    return QUrl::fromLocalFile(inside);
}

int StreamTile::nextRetryDelay(int currentMs)
{
    return qBound(FirstRetryMs, currentMs * 2, MaxRetryMs);
}

void StreamTile::play(const QString &channelName, const QString &stream)
{
    if (m_state != State::Idle && channelName == m_strChannel && stream == m_strStream)
        return;
    stop();
    m_strChannel = channelName;
    m_strStream = stream;
    m_nRetryDelay = FirstRetryMs;
    QString why;
    m_url = resolveStream(stream, clipFolder(), &why);
    if (!m_url.isValid()) {
        // Nothing to retry: the address itself is wrong.
        m_state = State::Failed;
        m_strMessage = m_strChannel + QStringLiteral(": ") + why;
        qDebug().noquote() << "StreamTile::play" << m_strMessage;
        emit changed();
        return;
    }
    open();
}

void StreamTile::open()
{
    m_state = State::Opening;
    if (m_url.isLocalFile() && !QFileInfo(m_url.toLocalFile()).isFile()) {
        fail(QStringLiteral("clip file not found"));
        return;
    }
    m_strMessage = m_strChannel + QStringLiteral(": connecting");
    emit changed();
    ensurePlayer();
    m_pPlayer->setMedia(m_url);
    m_pPlayer->play();
}

void StreamTile::stop()
{
    m_retryTimer.stop();
    if (m_state == State::Idle)
        return;
    if (m_pPlayer) {
        m_pPlayer->stop();
        m_pPlayer->setMedia(QMediaContent());
        m_pSurface->clear();
    }
    m_state = State::Idle;
    m_strMessage.clear();
    emit changed();
}

QImage StreamTile::frame() const
{
    return m_state == State::Idle || !m_pSurface ? QImage() : m_pSurface->lastFrame();
}

quint64 StreamTile::frameCount() const
{
    return m_pSurface ? m_pSurface->frameCount() : 0;
}

void StreamTile::fail(const QString &reason)
{
    if (m_state == State::Idle)
        return;
    m_state = State::Failed;
    m_strMessage = m_strChannel + QStringLiteral(": ") + reason
                   + QStringLiteral(" (retry in %1 s)").arg(m_nRetryDelay / 1000);
    qDebug().noquote() << "StreamTile::fail" << m_strMessage;
    if (m_pPlayer) {
        m_pPlayer->stop();
        m_pSurface->clear();
    }
    m_retryTimer.start(m_nRetryDelay);
    m_nRetryDelay = nextRetryDelay(m_nRetryDelay);
    emit changed();
}

void StreamTile::onStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (m_state == State::Idle || m_state == State::Failed)
        return;
    if (status == QMediaPlayer::InvalidMedia) {
        fail(QStringLiteral("cannot decode the stream"));
    } else if (status == QMediaPlayer::EndOfMedia) {
        if (m_url.isLocalFile()) {
            m_pPlayer->setPosition(0);
            m_pPlayer->play();
        } else {
            fail(QStringLiteral("stream ended"));
        }
    }
}

void StreamTile::onError(QMediaPlayer::Error error)
{
    if (m_state == State::Idle || m_state == State::Failed)
        return;
    QString reason = m_pPlayer->errorString();
    if (reason.isEmpty()) {
        switch (error) {
        case QMediaPlayer::ResourceError:
            reason = QStringLiteral("cannot open the stream");
            break;
        case QMediaPlayer::FormatError:
            reason = QStringLiteral("unsupported format");
            break;
        case QMediaPlayer::NetworkError:
            reason = QStringLiteral("network error");
            break;
        case QMediaPlayer::ServiceMissingError:
            reason = QStringLiteral("no media service installed");
            break;
        default:
            reason = QStringLiteral("playback error");
            break;
        }
    }
    fail(reason);
}
