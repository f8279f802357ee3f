#include "SpeechHelper.h"

#include "QtSpeechEngine.h"
#include "RecordingSpeechEngine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>

namespace {

// Pace of the silent voice: roughly how long a synthetic voice takes for a sentence.
constexpr int SilentFixedMs = 300;
constexpr int SilentPerCharMs = 60;

} // namespace

SpeechHelper *SpeechHelper::instance()
{
    static SpeechHelper helper;
    return &helper;
}

SpeechHelper::SpeechHelper()
    : m_pTimeout(new QTimer(this))
{
    m_pTimeout->setSingleShot(true);
    connect(m_pTimeout, &QTimer::timeout, this, &SpeechHelper::onTimeout);
}

SpeechHelper::~SpeechHelper() = default;

void SpeechHelper::addSpeech(const QString &text)
{
    addSpeech(text, nullptr);
}

void SpeechHelper::addSpeech(const QString &text, const void *owner)
{
    // Queued as given: callers compose sentences with their own spacing.
    if (text.trimmed().isEmpty()) {
        qDebug() << "SpeechHelper::addSpeech ignored an empty text";
        return;
    }
    qDebug() << "SpeechHelper::addSpeech" << text;
    m_listQueue.append({text, owner});
    emit speechQueued(text);
    while (m_listQueue.size() > MaxQueued) {
        const QString dropped = m_listQueue.takeFirst().text;
        qDebug() << "SpeechHelper::addSpeech queue full, dropped" << dropped;
        emit speechDropped(dropped);
    }
    scheduleNext();
}

void SpeechHelper::clearList()
{
    qDebug() << "SpeechHelper::clearList" << m_listQueue.size() << "text(s)"
             << (isSpeaking() ? "and the one being spoken" : "");
    QStringList dropped = pendingSpeech();
    m_listQueue.clear();
    if (isSpeaking()) {
        m_pTimeout->stop();
        if (m_pEngine)
            m_pEngine->stop();
        dropped.prepend(m_strCurrent);
        m_strCurrent = QString();
    }
    for (const QString &text : qAsConst(dropped))
        emit speechDropped(text);
    emit listCleared();
}

void SpeechHelper::clearList(const void *owner)
{
    QStringList dropped;
    if (isSpeaking() && m_pCurrentOwner == owner) {
        m_pTimeout->stop();
        if (m_pEngine)
            m_pEngine->stop();
        dropped.append(m_strCurrent);
        m_strCurrent = QString();
    }
    for (auto it = m_listQueue.begin(); it != m_listQueue.end();) {
        if (it->owner == owner) {
            dropped.append(it->text);
            it = m_listQueue.erase(it);
        } else {
            ++it;
        }
    }
    qDebug() << "SpeechHelper::clearList" << dropped.size() << "text(s) of one owner,"
             << m_listQueue.size() << "left";
    for (const QString &text : qAsConst(dropped))
        emit speechDropped(text);
    scheduleNext();
}

QStringList SpeechHelper::pendingSpeech() const
{
    QStringList texts;
    texts.reserve(m_listQueue.size());
    for (const Queued &queued : m_listQueue)
        texts.append(queued.text);
    return texts;
}

int SpeechHelper::pendingCount() const
{
    return m_listQueue.size();
}

void SpeechHelper::setEngine(std::unique_ptr<SpeechEngine> engine)
{
    if (isSpeaking()) {
        // The text is not spoken to its end by either voice.
        const QString text = m_strCurrent;
        m_pTimeout->stop();
        m_pEngine->stop();
        m_strCurrent = QString();
        emit speechDropped(text);
    }
    releaseEngine();
    m_pEngine = std::move(engine);
    m_bFailureLogged = false;
    // A new voice has not failed yet.
    setGiveUpsInRow(0);
    if (m_pEngine) {
        m_pEngine->setParent(nullptr);
        connect(m_pEngine.get(), &SpeechEngine::finished, this, &SpeechHelper::onEngineFinished);
        connect(m_pEngine.get(), &SpeechEngine::failed, this, &SpeechHelper::onEngineFailed);
        qDebug() << "SpeechHelper::setEngine" << m_pEngine->name();
        if (!m_bExitRoutine) {
            // The voice may own a thread and timers: it goes with the application object, not
            // with the static queue after it.
            qAddPostRoutine(&SpeechHelper::releaseAtExit);
            m_bExitRoutine = true;
        }
    }
    scheduleNext();
}

std::unique_ptr<SpeechEngine> SpeechHelper::createDefaultEngine()
{
    const QByteArray choice = qgetenv("FEVER_SPEECH_ENGINE").trimmed().toLower();
    bool silent = false;
    if (choice == "silent") {
        silent = true;
    } else if (choice != "qt") {
        if (!choice.isEmpty())
            qDebug() << "SpeechHelper::createDefaultEngine unknown FEVER_SPEECH_ENGINE" << choice;
        const QString platform = QGuiApplication::platformName();
        silent = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")
                 || qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr;
    }
    if (silent) {
        auto engine = std::make_unique<RecordingSpeechEngine>();
        engine->setDuration(SilentFixedMs, SilentPerCharMs);
        return engine;
    }
    return std::make_unique<QtSpeechEngine>();
}

void SpeechHelper::setTranscriptFile(const QString &path)
{
    m_strTranscriptFile = path;
    m_bTranscriptErrorLogged = false;
    qDebug() << "SpeechHelper::setTranscriptFile" << path;
}

void SpeechHelper::setTimeout(int baseMs, int perCharMs)
{
    m_nTimeoutMs = qMax(1, baseMs);
    m_nTimeoutPerCharMs = qMax(0, perCharMs);
}

int SpeechHelper::timeoutFor(const QString &text) const
{
    return m_nTimeoutMs + m_nTimeoutPerCharMs * text.size();
}

void SpeechHelper::scheduleNext()
{
    if (m_bScheduled || isSpeaking() || m_listQueue.isEmpty())
        return;
    m_bScheduled = true;
    QMetaObject::invokeMethod(this, &SpeechHelper::speakNext, Qt::QueuedConnection);
}

void SpeechHelper::speakNext()
{
    m_bScheduled = false;
    if (isSpeaking() || m_listQueue.isEmpty())
        return;
    if (!m_pEngine)
        setEngine(createDefaultEngine());
    const Queued next = m_listQueue.takeFirst();
    m_strCurrent = next.text;
    m_pCurrentOwner = next.owner;
    writeTranscript(m_strCurrent);
    emit speechStarted(m_strCurrent);
    m_pTimeout->start(timeoutFor(m_strCurrent));
    m_pEngine->speak(m_strCurrent);
}

void SpeechHelper::onEngineFinished()
{
    if (!isSpeaking())
        return;
    m_pTimeout->stop();
    const QString text = m_strCurrent;
    m_strCurrent = QString();
    if (m_bFailureLogged) {
        qDebug() << "SpeechHelper::onEngineFinished the speech engine speaks again";
        m_bFailureLogged = false;
    }
    setGiveUpsInRow(0);
    emit speechFinished(text);
    scheduleNext();
}

void SpeechHelper::onEngineFailed(const QString &reason)
{
    if (isSpeaking())
        giveUpCurrent(reason);
}

void SpeechHelper::onTimeout()
{
    if (!isSpeaking())
        return;
    const int timeout = timeoutFor(m_strCurrent);
    m_pEngine->giveUp();
    giveUpCurrent(QStringLiteral("the sentence did not end within %1 ms").arg(timeout));
}

void SpeechHelper::giveUpCurrent(const QString &reason)
{
    m_pTimeout->stop();
    const QString text = m_strCurrent;
    m_strCurrent = QString();
    if (!m_bFailureLogged) {
        qInfo().noquote() << "SpeechHelper::giveUpCurrent speech engine" << m_pEngine->name()
                          << "failed:" << reason << "- sentences go on without sound";
        m_bFailureLogged = true;
    }
    setGiveUpsInRow(m_nGiveUpsInRow + 1);
    emit speechFailed(text, reason);
    scheduleNext();
}

void SpeechHelper::writeTranscript(const QString &text)
{
    if (m_strTranscriptFile.isEmpty())
        return;
    QFile file(m_strTranscriptFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        if (!m_bTranscriptErrorLogged) {
            qDebug() << "SpeechHelper::writeTranscript cannot write" << m_strTranscriptFile
                     << file.errorString();
            m_bTranscriptErrorLogged = true;
        }
        return;
    }
    // One line per sentence, whatever the sentence holds.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QString stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    file.write((stamp + QLatin1Char('\t') + line + QLatin1Char('\n')).toUtf8());
}

void SpeechHelper::releaseEngine()
{
    if (!m_pEngine)
        return;
    disconnect(m_pEngine.get(), nullptr, this, nullptr);
    m_pEngine.reset();
}

void SpeechHelper::setGiveUpsInRow(int count)
{
    const bool wasAvailable = isEngineAvailable();
    // Capped, so that a voice dead for days cannot overflow the count.
    m_nGiveUpsInRow = qMin(count, UnavailableAfterGiveUps);
    if (isEngineAvailable() != wasAvailable) {
        qInfo() << "SpeechHelper: the speech engine is"
                << (isEngineAvailable() ? "available again" : "unavailable");
        emit engineAvailabilityChanged(isEngineAvailable());
    }
}

void SpeechHelper::releaseAtExit()
{
    SpeechHelper *helper = instance();
    helper->m_pTimeout->stop();
    helper->m_strCurrent = QString();
    helper->m_listQueue.clear();
    helper->releaseEngine();
    helper->m_bExitRoutine = false;
}
