#include "SnapIntake.h"

#include "CompareNotifyFilter.h"
#include "FeverValues.h"
#include "ScreenedChannels.h"
#include "SnapComparesMessage.h"
#include "SnapHistoryRequest.h"

#include "AppLanguageTr.h"
#include "BaseWidget.h"
#include "FileDataCacheHelper.h"
#include "FileTransStateEvent.h"
#include "FlieDataTransTask.h"
#include "FlieDataTransfer.h"
#include "QueryHistoricalData.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
#include <QPixmap>
#include <QTimer>

namespace {

// Source kinds of the daily totals: the login server, or another picture server.
constexpr int SourceKindLoginServer = 3;
constexpr int SourceKindOtherServer = 1;

} // namespace

SnapIntake::SnapIntake(BaseWidget *p_pScreen, ScreenState p_objState)
    : QObject(p_pScreen)
    , m_pScreen(p_pScreen)
    , m_objState(std::move(p_objState))
    , m_baLogClass(p_pScreen->metaObject()->className())
    , m_nTaskID(FeverValues::NoValue)
    , m_objReady(FeverValues::MaxListCards, FeverValues::MaxListCards)
    , m_pShowTimer(new QTimer(this))
{
    m_pShowTimer->setSingleShot(true);
    m_pShowTimer->setInterval(0);
    connect(m_pShowTimer, &QTimer::timeout, this, &SnapIntake::showWaiting);
}

SnapIntake::~SnapIntake()
{
    // The transfer skips receivers that are gone, so nobody else would release these. The
    // intake goes with its screen, whose destructor the line names.
    if (m_objPendingTasks.size() > 0)
        debug(("~" + m_baLogClass + " releases").constData())
                << m_objPendingTasks.size() << "snapshots still downloading";
    m_objPendingTasks.clear();
    // The notices may outlive the intake.
    disconnect(m_objDiskStateConnection);
}

void SnapIntake::receive(const OrvaneCompareNotifyMessageList &p_vecNotifys,
                         const QObject *p_pSender)
{
    // Only the client's own signals are live; the history query at the first show is not.
    const bool live = p_pSender == VornClient::instance();
    for (const OrvaneCompareNotifyMessage &notify : p_vecNotifys)
        processCompareNotify(notify, live);
}

void SnapIntake::setFaultNotices(FaultNotices *p_pNotices)
{
    disconnect(m_objDiskStateConnection);
    m_pFaultNotices = p_pNotices;
    if (p_pNotices)
        m_objDiskStateConnection = connect(FlieDataTransfer::getInstance(),
                                           &FlieDataTransfer::signalLocalDiskStateChanged,
                                           p_pNotices, [p_pNotices](bool p_bFull) {
                                               p_pNotices->report(FaultNotices::DiskFull, p_bFull);
                                           });
}

void SnapIntake::handleTransferEvent(QEvent *p_pEvent)
{
    const auto *state = dynamic_cast<const FileTransStateEvent *>(p_pEvent);
    if (!state)
        debug("event download not finished!");
    else
        processTransEvent(*state);
}

void SnapIntake::loadHistory()
{
    IntelligentSnapConfigParam source = m_objState.snapSource();
    const QStringList channelUIDs = ScreenedChannels::collectChannelUIDs(source);
    const SnapHistoryRequest::Requests requests =
            SnapHistoryRequest::build(m_objState.firstStrategy(), channelUIDs,
                                      source.strClearOverTempTime, QDateTime::currentDateTime());
    const OrvaneCompareNotifyMessageList strip = queryHistory(requests.strip);
    const OrvaneCompareNotifyMessageList overTemp = queryHistory(requests.overTempList);
    for (const SnapHistoryRequest::Snapshot &snapshot : SnapHistoryRequest::merge(strip, overTemp))
        processCompareNotify(snapshot.notify, false, snapshot.bForStrip);
}

OrvaneCompareNotifyMessageList SnapIntake::queryHistory(const ReqSnapDataParam &p_objParam)
{
    // Results count only while the request runs: the query goes when this function returns.
    OrvaneCompareNotifyMessageList found;
    QueryHistoricalData query;
    connect(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived, this,
            [&found](const OrvaneCompareNotifyMessageList &p_vecNotifys) {
                found.insert(found.end(), p_vecNotifys.begin(), p_vecNotifys.end());
            });
    if (!query.reqSnapHistoryData(p_objParam, false))
        debug("loadHistorySnapshots no history from")
                << p_objParam.strStartTime << "to" << p_objParam.strEndTime;
    return found;
}

void SnapIntake::processCompareNotify(const OrvaneCompareNotifyMessage &p_objNotify, bool p_bLive,
                                      bool p_bForStrip)
{
    const CompareNotifyFilter::Acceptance accepted = CompareNotifyFilter::acceptedMatches(
            p_objNotify, m_objState.snapSource(), m_objState.firstStrategy());
    if (accepted.bHiddenWithoutMatch)
        debug("processCompareNotify   compareInfoVec.empty");
    for (const CompareInfo &match : accepted.matches)
        compareNotifyReceived(p_objNotify.snapFaceInfo, match, p_bLive, p_bForStrip);
}

void SnapIntake::compareNotifyReceived(const OrvaneSnapFaceInfo &p_objSnapFaceInfo,
                                       CompareInfo p_objMatch, bool p_bLive, bool p_bForStrip)
{
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    OrvaneSnapFaceInfo snapFaceInfo = p_objSnapFaceInfo;
    OrvaneSnapTargetSource &source = snapFaceInfo.snapTargetSource;
    QList<TransFilePath> files;

    const QString remoteSnap = source.snapDetailImageURL;
    const QString localSnap = ai->convertToLocalSnapAbsPath(remoteSnap, true);
    source.snapDetailImageURL = localSnap;
    files.append(TransFilePath(localSnap, remoteSnap));

    QString localArchive;
    QString remoteArchive;
    if (p_objMatch.matchFlag != 0 && p_objMatch.archiveImage.archiveId != FeverValues::NoValue) {
        remoteArchive = p_objMatch.archiveImage.url;
        localArchive = ai->convertToLocalSnapAbsPath(remoteArchive, false);
    } else {
        qDebug() << "no register scores " << p_objMatch.score;
        localArchive = CompareNotifyFilter::noDataArchivePicture();
        remoteArchive = localArchive;
        p_objMatch.score = 0;
    }
    p_objMatch.archiveImage.url = localArchive;
    files.append(TransFilePath(localArchive, remoteArchive));

    debug("slotCompareNotifyReceived ") << "sourceurl " << localSnap << "personurl " << localArchive
                                        << "scores " << p_objMatch.score;

    auto record = std::make_unique<SnapComparesMessage>(snapFaceInfo, p_objMatch, p_bLive);
    debug("compareNotifyReceived  snapDetailImageURL")
            << record->snapFaceInfo.snapTargetSource.snapDetailImageURL;
    debug("compareNotifyReceived  archiveImage.url") << record->compareInfo.archiveImage.url;

    const long handle = pictureServerHandle(source.serverUID);
    if (p_bLive)
        countLiveSnapshot(snapFaceInfo, handle);

    FlieDataTransTask task(true);
    task.setTaskInfo(handle, files, FeverValues::TransTypePicture, m_pScreen, record.get(),
                     FeverValues::TransToPlatform);
    const int taskId = FlieDataTransfer::getInstance()->addTransTask(task);
    if (taskId == FeverValues::NoValue) {
        debug("compareNotifyReceived addTransTask failed");
        reportFault(FaultNotices::Transfer, true);
        return; // the record goes with `record`
    }
    if (!m_objPendingTasks.adopt(taskId, std::move(record), p_bForStrip))
        debug("compareNotifyReceived task") << taskId << "already outstanding, snapshot dropped";
}

long SnapIntake::pictureServerHandle(const QString &p_strServerUID)
{
    VornClient *client = VornClient::instance();
    QString loginServerUid;
    client->getLoginServerUid(loginServerUid);
    if (p_strServerUID == loginServerUid)
        return client->m_nLoginServerHandle;

    const long handle = VORNClientAIManager::instance()->getIAUServerHandle(p_strServerUID);
    // The download is still tried: the transfer reports the outcome either way.
    if (handle < 1)
        m_pScreen->setTips(AppLanguageTr::translate(QStringLiteral("TK_ConnectIAUFaile!"))
                                   + p_strServerUID,
                           2);
    return handle;
}

void SnapIntake::countLiveSnapshot(const OrvaneSnapFaceInfo &p_objSnapFaceInfo, long p_lHandle)
{
    VornClient *client = VornClient::instance();
    const OrvaneSnapTargetSource &source = p_objSnapFaceInfo.snapTargetSource;
    QString deviceUid;
    int channelNo = 0;
    if (!VornClient::parseChannelUID(source.channelUID, deviceUid, channelNo))
        return;
    const OrvaneDevice *device = client->getDevicesByUid(deviceUid);
    const OrvaneGroup *deviceOrga =
            device ? client->getOrgaInfoById(device->get_group_id()) : nullptr;
    const OrvaneGroup *screenOrga = client->getOrgaInfoById(m_objState.currentOrgaId());
    if (!deviceOrga || !screenOrga
        || !CompareNotifyFilter::countsForOrganisation(deviceOrga->get_group_code(),
                                                       screenOrga->get_group_code()))
        return;
    emit liveSnapshotCounted(true, FeverValues::isOverTemperature(source.temperatureState),
                             p_objSnapFaceInfo.maskStatus == FeverValues::MaskStatusNone,
                             p_lHandle == client->m_nLoginServerHandle ? SourceKindLoginServer
                                                                       : SourceKindOtherServer);
}

void SnapIntake::processTransEvent(const FileTransStateEvent &p_objEvent)
{
    if (p_objEvent.transType() != FeverValues::TransTypePicture || !p_objEvent.userData())
        return;
    debug("processTransEvent  SnapComparesMessage* userData is") << p_objEvent.userData();

    const int taskId = p_objEvent.taskId();
    const bool failed = p_objEvent.status() == FileTransStateEvent::StatusFailed;
    if (!failed && !p_objEvent.isFinished())
        return; // more files of the task to come

    // The record is looked up by task id, never through the user data: a late or repeated
    // event may carry the pointer of a record already released. The last task handled is
    // only the most common such repeat.
    bool forStrip = true;
    std::unique_ptr<SnapComparesMessage> record = m_objPendingTasks.take(taskId, &forStrip);
    if (!record) {
        if (taskId == m_nTaskID && failed)
            debug("processTransEvent status: -1 m_nTaskID == taskId");
        else if (taskId == m_nTaskID)
            debug("processTransEvent status: success m_nTaskID == taskId");
        else
            debug("processTransEvent task") << taskId << "is not outstanding, event ignored";
        return;
    }
    m_nTaskID = taskId;
    if (failed) {
        reportFault(p_objEvent.error() == FileTransStateEvent::ErrorDiskFull
                            ? FaultNotices::DiskFull
                            : FaultNotices::Transfer,
                    true);
        return; // nothing to show
    }
    reportFault(FaultNotices::Transfer, false);
    reportFault(FaultNotices::DiskFull, false);

    const QString &snapPath = record->snapFaceInfo.snapTargetSource.snapDetailImageURL;
    const QString &archivePath = record->compareInfo.archiveImage.url;
    debug("processTransEvent  person name") << record->compareInfo.archive.get_name();
    debug("processTransEvent  snapDetailImageURL") << snapPath;
    debug("processTransEvent  archiveImage.url") << archivePath;

    // Both are loaded before either is judged, so that the archive picture reaches the cache even
    // when the snapshot picture is broken.
    QPixmap snapPixmap;
    QPixmap archivePixmap;
    const bool snapLoaded = FileDataCacheHelper::tryLoadPixmapData(snapPath, snapPixmap);
    const bool archiveLoaded = FileDataCacheHelper::tryLoadPixmapData(archivePath, archivePixmap);
    reportFault(FaultNotices::MissingPicture, !snapLoaded || !archiveLoaded);
    if (!snapLoaded || !archiveLoaded) {
        debug("processTransEvent  FileDataCacheHelper::tryLoadPixmap failed");
        return;
    }

    int targets = forStrip ? ReadySnapQueue::Strip : 0;
    if (CompareNotifyFilter::belongsInOverTempList(record->snapFaceInfo.snapTargetSource,
                                                   m_objState.snapSource().strClearOverTempTime))
        targets |= ReadySnapQueue::OverTempList;
    m_objReady.push(std::move(record), targets);
    if (!m_objReady.isEmpty() && !m_pShowTimer->isActive())
        m_pShowTimer->start();
}

void SnapIntake::showWaiting()
{
    for (int shown = 0; shown < ShowPerTurn && !m_objReady.isEmpty(); ++shown) {
        const ReadySnapQueue::Entry entry = m_objReady.takeFirst();
        // The list may have been cleared by hand while the record waited.
        if ((entry.targets & ReadySnapQueue::OverTempList)
            && CompareNotifyFilter::belongsInOverTempList(
                    entry.record->snapFaceInfo.snapTargetSource,
                    m_objState.snapSource().strClearOverTempTime))
            emit overTempRecordReady(*entry.record);
        if (entry.targets & ReadySnapQueue::Strip)
            emit recordReady(*entry.record);
    }
    if (!m_objReady.isEmpty())
        m_pShowTimer->start();
}

void SnapIntake::reportFault(FaultNotices::Kind p_eKind, bool p_bFailing)
{
    if (m_pFaultNotices)
        m_pFaultNotices->report(p_eKind, p_bFailing);
}

QDebug SnapIntake::debug(const char *p_szHead) const
{
    QDebug line = qDebug();
    // As a C string, so that the head is written unquoted like a literal.
    line << (m_baLogClass + "::" + p_szHead).constData();
    return line;
}
