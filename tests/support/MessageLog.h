#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

// Collects Qt messages while alive and passes them on to the handler that was installed
// before the first of these logs. Logs may nest; each sees every message of its lifetime.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    int count(const QString &text) const;
    bool contains(const QString &text) const { return count(text) > 0; }

    QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);
    static QList<MessageLog *> s_logs;
    static QtMessageHandler s_previous;
};
