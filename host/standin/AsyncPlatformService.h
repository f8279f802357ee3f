#pragma once

#include "SnapshotTotalsWorker.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QThread>

class OrvaneRequestMessage;

// The platform's side of the asynchronous calls (CuVORNClientManager::sendAsyncMessage): takes
// a request, works out the answer on its own thread after a short delay and posts the reply
// event (VORNAsyncMessageRecvEvent) to the receiver, as long as the receiver lives. Its test
// switch spoils the replies: an error code, a time-out, a late reply, a reply with a handle
// that was never handed out.
class AsyncPlatformService : public QObject
{
    Q_OBJECT
public:
    enum class Fault { None, ErrorCode, Timeout, LateReply, StaleHandle };
    static constexpr int DefaultReplyDelayMs = 120;
    static constexpr int LateReplyDelayMs = 2500;

    static AsyncPlatformService *instance();

    // The request handle (above 0).
    int send(const OrvaneRequestMessage &p_objRequest, QObject *p_pReceiver, int p_nTimeoutSec);

    // Until changed, every reply is spoiled this way; ErrorCode replies with p_nErrorCode.
    void setFault(Fault p_eFault, int p_nErrorCode);
    Fault fault() const { return m_eFault; }
    void setReplyDelay(int p_nMs) { m_nReplyDelayMs = qMax(0, p_nMs); }
    int replyDelay() const { return m_nReplyDelayMs; }
    // Requests not yet answered.
    int outstandingCount() const { return m_hashReceivers.size(); }

signals:
    // A reply left for its receiver (or was dropped because the receiver had gone).
    void replied(int p_nReqHandle);

private:
    AsyncPlatformService();
    ~AsyncPlatformService() override;
    static void destroyInstance();

    void answerStatistics(int p_nHandle, SnapshotTotalsWorker::Question p_objQuestion,
                          Fault p_eFault, int p_nErrorCode);
    void deliver(int p_nHandle, int p_nErrorCode, SnapshotTotalsWorker::Totals p_objTotals,
                 bool p_bWithResponse, Fault p_eFault);

    QThread m_thread;
    SnapshotTotalsWorker *m_pWorker;
    int m_nLastHandle = 0;
    QHash<int, QPointer<QObject>> m_hashReceivers;
    Fault m_eFault = Fault::None;
    int m_nFaultCode = 0;
    int m_nReplyDelayMs = DefaultReplyDelayMs;
};
