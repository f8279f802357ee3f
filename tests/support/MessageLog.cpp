#include "MessageLog.h"

QList<MessageLog *> MessageLog::s_logs;
QtMessageHandler MessageLog::s_previous = nullptr;

MessageLog::MessageLog()
{
    if (s_logs.isEmpty())
        s_previous = qInstallMessageHandler(&MessageLog::handle);
    s_logs.append(this);
}

MessageLog::~MessageLog()
{
    s_logs.removeOne(this);
    if (s_logs.isEmpty())
        qInstallMessageHandler(s_previous);
}

int MessageLog::count(const QString &text) const
{
    int n = 0;
    for (const QString &line : lines)
        n += line.contains(text) ? 1 : 0;
    return n;
}

void MessageLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    for (MessageLog *log : qAsConst(s_logs))
        log->lines.append(message);
    if (s_previous)
        s_previous(type, context, message);
}
