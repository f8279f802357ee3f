#pragma once

#include "OrvaneResponseMessage.h"

#include <QEvent>

#include <memory>

// The platform's answer to an asynchronous request, posted to the request's receiver. Without
// a response message when the request timed out.
class VORNAsyncMessageRecvEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(2012);

    VORNAsyncMessageRecvEvent(int p_nReqHandle, int p_nErrorCode,
                              std::unique_ptr<OrvaneResponseMessage> p_pResponse);
    ~VORNAsyncMessageRecvEvent() override;

    int getReqHandle() const { return m_nReqHandle; }
    // 0 on success.
    int getErrorCode() const { return m_nErrorCode; }
    // Owned by the event; null on a time-out.
    OrvaneResponseMessage *getRespMsg() const { return m_pResponse.get(); }

private:
    int m_nReqHandle;
    int m_nErrorCode;
    std::unique_ptr<OrvaneResponseMessage> m_pResponse;
};
