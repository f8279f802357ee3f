#pragma once

class OrvaneRequestMessage;
class OrvaneResponseMessage;

// The platform SDK's synchronous call: sends the request over the client's connection and fills
// the response. Blocks the calling thread. Returns 0 on success, otherwise one of the codes
// below; CuVORNClientManager::getLastErrorString then says why.
int VORN_SendReqAndRecvResp(long p_lClientHandle, OrvaneRequestMessage &p_objRequest,
                            OrvaneResponseMessage &p_objResponse);

namespace VORNSDK {
constexpr int ErrorNotConnected = 101;   // no connection under that handle
constexpr int ErrorUnknownRequest = 102; // the platform does not serve this request
constexpr int ErrorStoreFailed = 103;    // the platform could not store the change
} // namespace VORNSDK
