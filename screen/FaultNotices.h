#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QTimer;

// Decides which faults the operator is told about. A fault that starts gives one failure tip,
// its end one success tip, and never more than one tip per kind within MinTipIntervalMs: a tip
// held back by that rule follows when the interval is over, and only if the state it tells
// still holds then (a fault that came and went unseen is not reported at all). Reports that
// change nothing are free, so callers may report every outcome.
class FaultNotices : public QObject
{
    Q_OBJECT

public:
    enum Kind {
        Store,          // the settings store cannot be read or written
        Strategies,     // the window's display and voice strategies cannot be loaded
        Speech,         // the speech engine gives up every sentence
        Transfer,       // snapshot pictures cannot be downloaded
        MissingPicture, // downloaded pictures cannot be read
        DiskFull,       // pictures cannot be saved for lack of space
    };
    Q_ENUM(Kind)
    static constexpr int KindCount = DiskFull + 1;

    static constexpr qint64 MinTipIntervalMs = 60 * 1000;
    static constexpr int SuccessTip = 1;
    static constexpr int FailureTip = 2;

    // Monotonic milliseconds.
    using Clock = std::function<qint64()>;

    explicit FaultNotices(QObject *parent = nullptr);
    ~FaultNotices() override;

    void setClock(Clock clock);

    void report(Kind kind, bool failing);
    bool isFailing(Kind kind) const;
    // Gives the tips held back whose interval is over; the internal timer calls it.
    void deliverDue();

    // Translation keys of the tip texts.
    static QString failureKey(Kind kind);
    static QString recoveryKey(Kind kind);

signals:
    // kind: SuccessTip or FailureTip, as the host's setTips takes it.
    void tip(const QString &translationKey, int kind);

private:
    struct State
    {
        bool failing = false;
        bool told = false;
        bool everTold = false;
        qint64 lastTipAt = 0;
    };

    bool tipAllowed(const State &state, qint64 now) const;
    void scheduleDelivery();

    Clock m_clock;
    QTimer *m_pDeliveryTimer = nullptr;
    std::array<State, KindCount> m_states{};
};
