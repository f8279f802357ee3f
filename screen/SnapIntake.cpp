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
{
}

SnapIntake::~SnapIntake()
{
    // The transfer skips receivers that are gone, so nobody else would release these. The
    // intake goes with its screen, whose destructor the line names.
    if (m_objPendingTasks.size() > 0)
        debug(("~" + m_baLogClass + " releases").constData())
                << m_objPendingTasks.size() << "snapshots still downloading";
    m_objPendingTasks.clear();
}

void SnapIntake::receive(const OrvaneCompareNotifyMessageList &p_vecNotifys,
                         const QObject *p_pSender)
{
    // Only the client's own signals are live; the history query at the first show is not.
    const bool live = p_pSender == VornClient::instance();
    for (const OrvaneCompareNotifyMessage &notify : p_vecNotifys)
        processCompareNotify(notify, live);
}

void SnapIntake::slotCompareNotifyReceived(OrvaneCompareNotifyMessageList compareNotifys)
{
    receive(compareNotifys, sender());
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
    const ReqSnapDataParam param = SnapHistoryRequest::build(
            m_objState.firstStrategy(), channelUIDs, QDateTime::currentDateTime());

    // Results count only while the request runs: the query goes when this function returns.
    QueryHistoricalData query;
    connect(&query, &QueryHistoricalData::signalHistoryCompareNotifyReceived, this,
            &SnapIntake::slotCompareNotifyReceived);
    if (!query.reqSnapHistoryData(param, false))
        debug("loadHistorySnapshots no history from")
                << param.strStartTime << "to" << param.strEndTime;
}

void SnapIntake::processCompareNotify(const OrvaneCompareNotifyMessage &p_objNotify, bool p_bLive)
{
    const CompareNotifyFilter::Acceptance accepted = CompareNotifyFilter::acceptedMatches(
            p_objNotify, m_objState.snapSource(), m_objState.firstStrategy());
    if (accepted.bHiddenWithoutMatch)
        debug("processCompareNotify   compareInfoVec.empty");
    for (const CompareInfo &match : accepted.matches)
        compareNotifyReceived(p_objNotify.snapFaceInfo, match, p_bLive);
}

void SnapIntake::compareNotifyReceived(const OrvaneSnapFaceInfo &p_objSnapFaceInfo,
                                       CompareInfo p_objMatch, bool p_bLive)
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
        return; // the record goes with `record`
    }
    if (!m_objPendingTasks.adopt(taskId, std::move(record)))
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
    const std::unique_ptr<SnapComparesMessage> record = m_objPendingTasks.take(taskId);
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
    if (failed)
        return; // nothing to show

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
    if (snapLoaded && archiveLoaded)
        emit recordReady(*record);
    else
        debug("processTransEvent  FileDataCacheHelper::tryLoadPixmap failed");
}

QDebug SnapIntake::debug(const char *p_szHead) const
{
    QDebug line = qDebug();
    // As a C string, so that the head is written unquoted like a literal.
    line << (m_baLogClass + "::" + p_szHead).constData();
    return line;
}
