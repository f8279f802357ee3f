#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

// Counts today's snapshots for a statistics answer, on the platform's worker thread, through a
// read-only connection of its own to the platform store (the store's connection belongs to the
// user-interface thread).
class SnapshotTotalsWorker : public QObject
{
    Q_OBJECT
public:
    // Which snapshots a question counts. Everything that needs the client (organisations,
    // devices) is resolved before the question leaves the user-interface thread.
    struct Question
    {
        QString strDatabasePath;
        QDateTime objStart; // both ends included
        QDateTime objEnd;
        QSet<QString> setChannelUids; // channels of the organisation and those below it
        QString strLoginServerUid;    // its snapshots are recorder snapshots
        int nType = 3;                // 1 platform only, 2 recorders only, 3 both
        qint64 nAfterRow = 0;         // the last daily reset
    };
    struct Totals
    {
        bool bOk = false;
        int nTotal = 0;
        int nOverTemp = 0;
        int nNoMask = 0;
    };

    explicit SnapshotTotalsWorker(QObject *parent = nullptr);
    ~SnapshotTotalsWorker() override;

    // Runs on the thread the worker lives in.
    Totals count(const Question &p_objQuestion);

    // Whether a snapshot of this server counts for the source type (the screens' live rule).
    static bool countsForType(int p_nType, bool p_bFromLoginServer);

private:
    bool ensureOpen(const QString &p_strPath);

    QString m_strConnection;
    QString m_strOpenPath;
};
