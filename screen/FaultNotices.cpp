#include "FaultNotices.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QTimer>

#include <limits>

FaultNotices::FaultNotices(QObject *parent)
    : QObject(parent)
    , m_pDeliveryTimer(new QTimer(this))
{
    QElapsedTimer steady;
    steady.start();
    m_clock = [steady] { return steady.elapsed(); };
    m_pDeliveryTimer->setSingleShot(true);
    connect(m_pDeliveryTimer, &QTimer::timeout, this, &FaultNotices::deliverDue);
}

FaultNotices::~FaultNotices() = default;

void FaultNotices::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void FaultNotices::report(Kind kind, bool failing)
{
    State &state = m_states[std::size_t(kind)];
    if (state.failing == failing)
        return;
    state.failing = failing;
    qDebug() << "FaultNotices::report" << kind << (failing ? "failing" : "recovered");
    deliverDue();
}

bool FaultNotices::isFailing(Kind kind) const
{
    return m_states[std::size_t(kind)].failing;
}

bool FaultNotices::tipAllowed(const State &state, qint64 now) const
{
    return !state.everTold || now - state.lastTipAt >= MinTipIntervalMs;
}

void FaultNotices::deliverDue()
{
    const qint64 now = m_clock();
    for (int i = 0; i < KindCount; ++i) {
        State &state = m_states[std::size_t(i)];
        if (state.failing == state.told || !tipAllowed(state, now))
            continue;
        state.told = state.failing;
        state.everTold = true;
        state.lastTipAt = now;
        const Kind kind = Kind(i);
        if (state.failing)
            emit tip(failureKey(kind), FailureTip);
        else
            emit tip(recoveryKey(kind), SuccessTip);
    }
    scheduleDelivery();
}

void FaultNotices::scheduleDelivery()
{
    const qint64 now = m_clock();
    qint64 wait = std::numeric_limits<qint64>::max();
    for (const State &state : m_states) {
        if (state.failing != state.told)
            wait = qMin(wait, qMax<qint64>(0, state.lastTipAt + MinTipIntervalMs - now));
    }
    if (wait == std::numeric_limits<qint64>::max())
        m_pDeliveryTimer->stop();
    else
        m_pDeliveryTimer->start(int(qMin<qint64>(wait, MinTipIntervalMs)));
}

QString FaultNotices::failureKey(Kind kind)
{
    switch (kind) {
    case Store:
        return QStringLiteral("TK_StoreFailed");
    case Strategies:
        return QStringLiteral("TK_StrategyLoadFailed");
    case Speech:
        return QStringLiteral("TK_SpeechUnavailable");
    case Transfer:
        return QStringLiteral("TK_PictureTransferFailed");
    case MissingPicture:
        return QStringLiteral("TK_PictureMissing");
    case DiskFull:
        return QStringLiteral("TK_DiskFull");
    }
    return QString();
}

QString FaultNotices::recoveryKey(Kind kind)
{
    switch (kind) {
    case Store:
        return QStringLiteral("TK_StoreRecovered");
    case Strategies:
        return QStringLiteral("TK_StrategyLoadRecovered");
    case Speech:
        return QStringLiteral("TK_SpeechRecovered");
    case Transfer:
        return QStringLiteral("TK_PictureTransferRecovered");
    case MissingPicture:
        return QStringLiteral("TK_PictureMissingRecovered");
    case DiskFull:
        return QStringLiteral("TK_DiskSpaceRecovered");
    }
    return QString();
}
