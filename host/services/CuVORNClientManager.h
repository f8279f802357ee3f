#pragma once

#include <QObject>
#include <QString>

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

protected:
    void setLastErrorString(const QString &text);

private:
    QString m_strLastError;
};
