#pragma once

#include "FeverValues.h"
#include "SnapComparesMessage.h"
#include "TempSnapItem.h"
#include "TempSnapWidget.h"

#include "AppConfigHelper.h"
#include "FlieDataTransfer.h"
#include "OrvaneCompareNotifyMessage.h"
#include "PlatformPictureStore.h"
#include "VoiceStrategyStore.h"
#include "VornClient.h"

#include <QDateTime>
#include <QImage>
#include <QtTest/QtTest>

#include <algorithm>

// Notifications with real pictures on the platform, as the bundled scenario's devices send them,
// and the screen's strip they end up in. For the suites that drive a whole screen.
namespace screentest {

constexpr int Stranger = FeverValues::NoValue;
const QString GateA = QStringLiteral("TC-GATE-A_1");
const QString GateB = QStringLiteral("TC-GATE-B_1");
const QString LoginServer = QStringLiteral("VORN-SRV-01");

struct Match
{
    int archiveId;
    int matchFlag;
    float score;
    QString archivePicture; // name in the platform's picture store
};

inline int g_nPictureCounter = 0;

inline QString storePicture(const QString &name)
{
    QImage image(48, 64, QImage::Format_RGB32);
    image.fill(qRgb(40 + int(qHash(name) % 200), 90, 160));
    return PlatformPictureStore::store(name, image);
}

// A new name each time: the image cache keys pictures by path, so none is cached before its test.
inline QString newSnapPicture()
{
    return storePicture(QStringLiteral("intake/snap-%1.jpg").arg(++g_nPictureCounter));
}

inline Match registered(int archiveId, float score = 0.9f)
{
    const QString name = QStringLiteral("intake/archive-%1.jpg").arg(archiveId);
    return {archiveId, 1, score, PlatformPictureStore::contains(name) ? name : storePicture(name)};
}

inline Match stranger()
{
    return {Stranger, 0, 0.0f, QString()};
}

// Person <id> of archive group 2, or a stranger; state 1 reads 38.4, anything else 36.5.
inline OrvaneCompareNotifyMessage notification(const QString &snapPicture,
                                               const QList<Match> &matches,
                                               const QString &channel = GateA, int state = 0,
                                               const QDateTime &time = QDateTime::currentDateTime())
{
    OrvaneCompareNotifyMessage notify;
    notify.snapFaceInfo.maskStatus = 1;
    OrvaneSnapTargetSource &source = notify.snapFaceInfo.snapTargetSource;
    source.serverUID = LoginServer;
    source.snapDetailImageURL = snapPicture;
    source.channelUID = channel;
    source.deviceTypeId = 20;
    source.snapTime = time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    source.compareResult = 1;
    source.hasTemperature = 1;
    source.temperature = state == 1 ? 38.4 : 36.5;
    source.temperatureState = state;
    source.overTempListFlag = state == 1 ? 1 : 0;
    for (const Match &m : matches) {
        CompareInfo info;
        info.archiveImage.archiveId = m.archiveId;
        info.archiveImage.archiveGroupId = m.archiveId == Stranger ? Stranger : 2;
        info.archiveImage.url = m.archivePicture;
        info.archive.set_id(m.archiveId);
        info.archive.set_name(
                m.archiveId == Stranger ? QString() : QStringLiteral("Person %1").arg(m.archiveId));
        info.matchFlag = m.matchFlag;
        info.score = m.score;
        notify.compareInfoVec.push_back(info);
    }
    return notify;
}

inline void emitLive(const OrvaneCompareNotifyMessage &notify)
{
    emit VornClient::instance()->signalCompareNotifyReceived(
            OrvaneCompareNotifyMessageList{notify});
}

// Stores the window's strategy list and channel selection, as a screen reads them at its
// first show.
inline void prepareWindow(int windowId, const std::vector<ST_MSGVoiceBroadcastStrategy> &strategies,
                          const QStringList &channels)
{
    for (ST_MSGVoiceBroadcastStrategy strategy : strategies) {
        strategy.set_window_id(windowId + 1);
        int id = 0;
        if (!VoiceStrategyStore::instance()->add(strategy, id))
            qFatal("strategy not stored");
    }
    IntelligentSnapConfigParam source;
    source.strChannelUIDList = channels;
    source.nChannelCount = channels.size();
    AppConfigHelper::instance()->setEpidemicPreviewConfigParam(windowId, source);
}

inline TempSnapWidget *strip(QWidget *screen)
{
    return screen->findChild<TempSnapWidget *>(QStringLiteral("widgetTempSnap"));
}

inline QList<int> cardArchiveIds(QWidget *screen)
{
    QList<int> ids;
    TempSnapWidget *cards = strip(screen);
    for (int row = 0; row < cards->cardCount(); ++row)
        ids.append(cards->cardAt(row)->record().compareInfo.archiveImage.archiveId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Lets every transfer finish and its events reach their receivers.
inline void settle()
{
    QTRY_COMPARE(FlieDataTransfer::getInstance()->pendingTaskCount(), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

inline void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace screentest
