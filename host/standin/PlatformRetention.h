#pragma once

#include <QDateTime>
#include <QObject>

class QTimer;

// Retention of the stand-in platform: snapshot history rows older than the retention period,
// and the snapshot pictures they name, are removed at start and then every hour. The sweep
// runs in small batches through the event loop, since the platform store belongs to the UI
// thread. Archive (face library) pictures are never touched, nor a snapshot picture written
// again within the period.
class PlatformRetention : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultRetentionDays = 7;
    static constexpr int SweepIntervalMs = 60 * 60 * 1000;
    static constexpr int BatchRows = 200;

    explicit PlatformRetention(QObject *parent = nullptr);

    void setRetentionDays(int days); // at least 1
    int retentionDays() const { return m_nRetentionDays; }

    // Sweeps now and then every SweepIntervalMs; a sweep still running is not started again.
    void start();
    void stop();

    // One batch: removes at most maxRows history rows older than cutoff and the snapshot
    // pictures they name that were not written since the cutoff. Returns the rows removed,
    // -1 when the store failed; *pictures (when given) counts the files removed.
    static int sweepBatch(const QDateTime &cutoff, int maxRows, int *pictures);

signals:
    void sweepFinished(int rows, int pictures);

private:
    void slot_sweep();
    void slot_batch();

    QTimer *m_pTimer;
    int m_nRetentionDays = DefaultRetentionDays;
    bool m_bSweeping = false;
    QDateTime m_cutoff;
    int m_nRows = 0;
    int m_nPictures = 0;
};
