#pragma once

#include "ST_MSGVoiceBroadcastStrategy.h"

#include <QString>

#include <array>
#include <vector>

class QSqlDatabase;
class QSqlQuery;

// The platform's storage of voice broadcast strategies, kept in the embedded platform database.
//
// Layout: table "voice_strategy" holds one row per strategy, a column per record field, keyed
// by an autoincrement id (the strategy id the platform hands out) and indexed by window_id; a
// window's list is its rows in id order, i.e. the order in which they were added. The three
// lists live in child tables "voice_strategy_time_range", "voice_strategy_person_group" and
// "voice_strategy_screen_text", keyed by (strategy_id, position) so they come back in the order
// stored. Every change runs in one transaction: a failed request leaves the stored data as it was.
//
// Used from the user-interface thread only, like the platform calls that reach it.
class VoiceStrategyStore
{
public:
    enum class Request { Add, Set, Delete, List };

    static VoiceStrategyStore *instance();

    // The window's strategies with their lists; empty (and false) on failure.
    bool list(int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies);
    // Stores a copy of the strategy under a new id (its own id is ignored).
    bool add(const ST_MSGVoiceBroadcastStrategy &strategy, int &newId);
    // Replaces the stored strategy with the same id; fails for an id that is not stored.
    bool set(const ST_MSGVoiceBroadcastStrategy &strategy);
    // Deletes every given id, or none of them when one is not stored.
    bool remove(const std::vector<int> &ids);

    // Text of the last failed request.
    QString lastError() const { return m_lastError; }

    // Test switch: the next `count` requests of `kind` fail with `errorText` without touching
    // the stored data. A count of 0 switches it off again.
    void failNext(Request kind, int count, const QString &errorText);
    void clearFailures();
    // Requests of a kind received so far, failed ones included.
    int requestCount(Request kind) const { return m_requests[index(kind)]; }

private:
    struct InjectedFailure
    {
        int remaining = 0;
        QString text;
    };

    VoiceStrategyStore() = default;

    static std::size_t index(Request kind) { return static_cast<std::size_t>(kind); }
    // Counts the request and tells whether the test switch fails it.
    bool beginRequest(Request kind, const char *function);
    bool fail(const char *function, const QString &text);
    bool failQuery(const char *function, const QSqlQuery &query);
    // Rolls back and reports the database's error.
    bool failTransaction(const char *function, QSqlDatabase &db);
    bool openDatabase(const char *function, QSqlDatabase &db);
    bool writeLists(const char *function, QSqlDatabase &db, int strategyId,
                    const ST_MSGVoiceBroadcastStrategy &strategy);
    bool deleteLists(const char *function, QSqlDatabase &db, int strategyId);
    bool exists(const char *function, QSqlDatabase &db, int strategyId, bool &found);

    QString m_lastError;
    std::array<InjectedFailure, 4> m_failures;
    std::array<int, 4> m_requests{};
};
