#pragma once

#include <QObject>
#include <QString>

class OrvaneRequestMessage;
class OrvaneResponseMessage;

// Common part of the client's service managers: the connection to the login server, the
// logged-in user and the text of the last failed platform call.
class CuVORNClientManager : public QObject
{
    Q_OBJECT
public:
    explicit CuVORNClientManager(QObject *parent = nullptr);
    ~CuVORNClientManager() override;

    long getCurClientHandle() const;
    int getCurUserId() const;
    QString getLastErrorString() const;

    // Sends the request without waiting and returns its handle. The reply is posted to the
    // receiver as a VORNAsyncMessageRecvEvent (type 2012) carrying the handle, an error code
    // (0 on success) and the response, absent when no answer came within p_nTimeoutSec.
    // p_nServer -1 is the login server. A receiver deleted before the reply gets nothing.
    int sendAsyncMessage(const OrvaneRequestMessage &request, QObject *receiver, int p_nServer = -1,
                         int p_nTimeoutSec = 120);

protected:
    // The SDK's synchronous call reports its failures here, like the managers' own calls.
    friend int VORN_SendReqAndRecvResp(long p_lClientHandle, OrvaneRequestMessage &p_objRequest,
                                       OrvaneResponseMessage &p_objResponse);
    void setLastErrorString(const QString &text);

private:
    QString m_strLastError;
};
