#pragma once

#include <QImage>
#include <QMediaPlayer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

class QMediaPlaylist;
class VideoFrameSurface;

// One playing window of the stand-in's player: opens a channel's stream with Qt Multimedia and
// keeps its latest frame. A stream that cannot be opened shows why; one that fails or drops is
// opened again after a delay that doubles up to a bound. Files loop.
class StreamTile : public QObject
{
    Q_OBJECT
public:
    enum class State { Idle, Opening, Playing, Failed };
    static constexpr int FirstRetryMs = 1000;
    static constexpr int MaxRetryMs = 30000;

    explicit StreamTile(QObject *parent = nullptr);
    ~StreamTile() override;

    // Folder relative stream paths are resolved in: FEVER_CLIP_DIR, else the build's clip folder.
    static QString clipFolder();
    // What a scenario's stream names, as a URL; an invalid URL (and the reason) when it names
    // nothing playable: empty, an unknown scheme, or a relative path leaving the clip folder.
    static QUrl resolveStream(const QString &stream, const QString &clipRoot, QString *why);
    static int nextRetryDelay(int currentMs);

    void play(const QString &channelName, const QString &stream);
    void stop();

    State state() const { return m_state; }
    // Why the stream does not play, for the tile ("<channel>: <reason>").
    QString message() const { return m_strMessage; }
    QImage frame() const;
    quint64 frameCount() const;
    int retryDelayMs() const { return m_nRetryDelay; }

signals:
    void changed();

private:
    // The media player is made on the first play: most tiles of most screens never play.
    void ensurePlayer();
    void open();
    void fail(const QString &reason);
    void onStatusChanged(QMediaPlayer::MediaStatus status);
    void onError(QMediaPlayer::Error error);

    QMediaPlayer *m_pPlayer = nullptr;
    QMediaPlaylist *m_pPlaylist = nullptr;
    VideoFrameSurface *m_pSurface = nullptr;
    QTimer m_retryTimer;
    QString m_strChannel;
    QString m_strStream;
    QUrl m_url;
    QString m_strMessage;
    State m_state = State::Idle;
    int m_nRetryDelay = FirstRetryMs;
};
