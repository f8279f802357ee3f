#include "AsyncPlatformService.h"

#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage.h"
#include "OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage.h"
#include "PlatformStore.h"
#include "VORNAsyncMessageRecvEvent.h"
#include "VORNErrorCodeTranslator.h"
#include "VornClient.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLocale>
#include <QTimer>

#include <limits>

namespace {

AsyncPlatformService *g_instance = nullptr;

// Channels of the organisation's devices and of every organisation below it (by group code).
QSet<QString> channelsOfOrganisation(int p_nOrgaId)
{
    QSet<QString> channels;
    VornClient *client = VornClient::instance();
    const OrvaneGroup *orga = client->getOrgaInfoById(p_nOrgaId);
    if (!orga)
        return channels;
    const QString code = orga->get_group_code();
    for (const OrvaneDevice &device : client->getCurUserDevices()) {
        const OrvaneGroup *deviceOrga = client->getOrgaInfoById(device.get_group_id());
        if (!deviceOrga || !deviceOrga->get_group_code().startsWith(code))
            continue;
        std::vector<OrvaneChannel> deviceChannels;
        client->getChannelsByDeviceId(device.get_id(), deviceChannels);
        for (const OrvaneChannel &channel : deviceChannels)
            channels.insert(channel.get_channel_uid());
    }
    return channels;
}

} // namespace

AsyncPlatformService *AsyncPlatformService::instance()
{
    if (!g_instance) {
        g_instance = new AsyncPlatformService;
        // Stopped while the application still delivers events, like the file transfer.
        qAddPostRoutine(&AsyncPlatformService::destroyInstance);
    }
    return g_instance;
}

void AsyncPlatformService::destroyInstance()
{
    delete g_instance;
    g_instance = nullptr;
}

AsyncPlatformService::AsyncPlatformService()
    : m_pWorker(new SnapshotTotalsWorker)
{
    m_thread.setObjectName(QStringLiteral("AsyncPlatformService"));
    m_pWorker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    m_thread.start();
}

AsyncPlatformService::~AsyncPlatformService()
{
    m_thread.quit();
    m_thread.wait();
}

void AsyncPlatformService::setFault(Fault p_eFault, int p_nErrorCode)
{
    m_eFault = p_eFault;
    m_nFaultCode = p_nErrorCode;
}

int AsyncPlatformService::send(const OrvaneRequestMessage &p_objRequest, QObject *p_pReceiver,
                               int p_nTimeoutSec)
{
    Q_UNUSED(p_nTimeoutSec)
    m_nLastHandle = m_nLastHandle == std::numeric_limits<int>::max() / 2 ? 1 : m_nLastHandle + 1;
    const int handle = m_nLastHandle;
    m_hashReceivers.insert(handle, p_pReceiver);

    const Fault fault = m_eFault;
    const int errorCode = m_nFaultCode;
    const int delay = fault == Fault::LateReply ? LateReplyDelayMs : m_nReplyDelayMs;
    const auto *statistics =
            dynamic_cast<const OrvaneGetRealTimeTempSnapStatisticsOfOrgaRequestMessage *>(
                    &p_objRequest);
    if (!statistics) {
        qDebug() << "AsyncPlatformService::send unsupported request" << p_objRequest.getClassName();
        QTimer::singleShot(delay, this, [this, handle] {
            deliver(handle, VORNErrorCodeTranslator::ErrorUnsupported, {}, false, Fault::None);
        });
        return handle;
    }

    // What needs the client is resolved now, on this thread.
    SnapshotTotalsWorker::Question question;
    question.strDatabasePath = PlatformStore::instance()->databaseFilePath();
    const QLocale english(QLocale::English);
    const QDate start = english.toDate(statistics->getStartTime(), QStringLiteral("yyyy-MM-dd"));
    const QDate end = english.toDate(statistics->getEndTime(), QStringLiteral("yyyy-MM-dd"));
    question.objStart = QDateTime(start, QTime(0, 0, 0));
    question.objEnd = QDateTime(end, QTime(23, 59, 59));
    question.setChannelUids = channelsOfOrganisation(statistics->m_nOrgaId);
    question.strLoginServerUid = VornClient::instance()->getLoginServerUid();
    question.nType = statistics->m_nType;
    question.nAfterRow = PlatformStore::instance()->lastDailyReset().lastSnapshotRow;
    QTimer::singleShot(delay, this, [this, handle, question, fault, errorCode] {
        answerStatistics(handle, question, fault, errorCode);
    });
    return handle;
}

void AsyncPlatformService::answerStatistics(int p_nHandle,
                                            SnapshotTotalsWorker::Question p_objQuestion,
                                            Fault p_eFault, int p_nErrorCode)
{
    if (p_eFault == Fault::ErrorCode || p_eFault == Fault::Timeout) {
        deliver(p_nHandle, p_eFault == Fault::ErrorCode ? p_nErrorCode : 0, {}, false, p_eFault);
        return;
    }
    if (!p_objQuestion.objStart.isValid() || !p_objQuestion.objEnd.isValid()) {
        deliver(p_nHandle, VORNErrorCodeTranslator::ErrorUnsupported, {}, false, p_eFault);
        return;
    }
    SnapshotTotalsWorker *worker = m_pWorker;
    QMetaObject::invokeMethod(worker, [this, worker, p_nHandle, p_objQuestion, p_eFault] {
        const SnapshotTotalsWorker::Totals totals = worker->count(p_objQuestion);
        QMetaObject::invokeMethod(
                this,
                [this, p_nHandle, totals, p_eFault] {
                    deliver(p_nHandle, totals.bOk ? 0 : VORNErrorCodeTranslator::ErrorDatabase,
                            totals, totals.bOk, p_eFault);
                },
                Qt::QueuedConnection);
    });
}

void AsyncPlatformService::deliver(int p_nHandle, int p_nErrorCode,
                                   SnapshotTotalsWorker::Totals p_objTotals, bool p_bWithResponse,
                                   Fault p_eFault)
{
    const QPointer<QObject> receiver = m_hashReceivers.take(p_nHandle);
    std::unique_ptr<OrvaneResponseMessage> response;
    if (p_bWithResponse) {
        auto totals = std::make_unique<OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage>();
        totals->setTotal(p_objTotals.nTotal);
        totals->setOverTemp(p_objTotals.nOverTemp);
        totals->setNoMask(p_objTotals.nNoMask);
        response = std::move(totals);
    }
    // A handle never handed out: far beyond the last one.
    const int replyHandle = p_eFault == Fault::StaleHandle
                                    ? p_nHandle + std::numeric_limits<int>::max() / 2
                                    : p_nHandle;
    if (receiver) {
        QCoreApplication::postEvent(
                receiver,
                new VORNAsyncMessageRecvEvent(replyHandle, p_nErrorCode, std::move(response)));
    } else {
        qDebug() << "AsyncPlatformService reply" << p_nHandle << "dropped, its receiver is gone";
    }
    emit replied(p_nHandle);
}
