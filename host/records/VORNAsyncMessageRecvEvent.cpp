#include "VORNAsyncMessageRecvEvent.h"

VORNAsyncMessageRecvEvent::VORNAsyncMessageRecvEvent(
        int p_nReqHandle, int p_nErrorCode, std::unique_ptr<OrvaneResponseMessage> p_pResponse)
    : QEvent(EventType)
    , m_nReqHandle(p_nReqHandle)
    , m_nErrorCode(p_nErrorCode)
    , m_pResponse(std::move(p_pResponse))
{
}

VORNAsyncMessageRecvEvent::~VORNAsyncMessageRecvEvent() = default;
