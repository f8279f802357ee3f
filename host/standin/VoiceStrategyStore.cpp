#include "VoiceStrategyStore.h"

#include "PlatformStore.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <map>

namespace {

using Record = OrvaneAiCompareVoiceBroadcastStrategy;

struct IntColumn
{
    const char *name;
    int (Record::*get)() const;
    void (Record::*set)(int);
};

struct TextColumn
{
    const char *name;
    std::string (Record::*get)() const;
    void (Record::*set)(const std::string &);
};

struct MemberColumn
{
    const char *name;
    int Record::*member;
};

#define INT_COLUMN(field)                                                                          \
    IntColumn                                                                                      \
    {                                                                                              \
#field, &Record::get_##field, &Record::set_##field                                         \
    }
#define TEXT_COLUMN(field)                                                                         \
    TextColumn                                                                                     \
    {                                                                                              \
#field, &Record::get_##field, &Record::set_##field                                         \
    }
#define MEMBER_COLUMN(field)                                                                       \
    MemberColumn                                                                                   \
    {                                                                                              \
#field, &Record::field                                                                     \
    }

// Every field but the id, which is the table's key.
const IntColumn kIntColumns[] = {
        INT_COLUMN(user_id),
        INT_COLUMN(window_id),
        INT_COLUMN(recognition_type),
        INT_COLUMN(card_size),
        INT_COLUMN(display_mode),
        INT_COLUMN(show_stranger),
        INT_COLUMN(image_display_mode),
        INT_COLUMN(snap_image_handle),
        INT_COLUMN(screen_content_mode),
        INT_COLUMN(thermometry_result),
        INT_COLUMN(show_archive),
        INT_COLUMN(show_name),
        INT_COLUMN(report_stranger),
        INT_COLUMN(show_temperature),
        INT_COLUMN(temperature_type),
        INT_COLUMN(temparature_report_enable),
        INT_COLUMN(show_mask),
        INT_COLUMN(mask_type),
        INT_COLUMN(show_content),
        INT_COLUMN(show_time),
        INT_COLUMN(thermometry_mode),
};

const TextColumn kTextColumns[] = {
        TEXT_COLUMN(stranger_show_name),
        TEXT_COLUMN(archive_show_name),
        TEXT_COLUMN(screen_image_url),
        TEXT_COLUMN(report_stranger_content),
        TEXT_COLUMN(report_normal_temperature),
        TEXT_COLUMN(report_over_temperature),
        TEXT_COLUMN(report_abnormal_temperature),
        TEXT_COLUMN(mask_content),
        TEXT_COLUMN(speech_content),
};

const MemberColumn kMemberColumns[] = {
        MEMBER_COLUMN(show_custom_picture),        MEMBER_COLUMN(auto_full_screen),
        MEMBER_COLUMN(over_temp_clear_time),       MEMBER_COLUMN(normal_temp_clear_time),
        MEMBER_COLUMN(temp_record_mode),           MEMBER_COLUMN(show_total_no_mask),
        MEMBER_COLUMN(show_over_temp_device_name),
};

#undef INT_COLUMN
#undef TEXT_COLUMN
#undef MEMBER_COLUMN

// Column names in binding order: int columns, text columns, plain members.
QStringList fieldColumns()
{
    QStringList names;
    for (const IntColumn &c : kIntColumns)
        names << QString::fromLatin1(c.name);
    for (const TextColumn &c : kTextColumns)
        names << QString::fromLatin1(c.name);
    for (const MemberColumn &c : kMemberColumns)
        names << QString::fromLatin1(c.name);
    return names;
}

void bindFields(QSqlQuery &query, const Record &record)
{
    for (const IntColumn &c : kIntColumns)
        query.addBindValue((record.*c.get)());
    for (const TextColumn &c : kTextColumns)
        query.addBindValue(QString::fromStdString((record.*c.get)()));
    for (const MemberColumn &c : kMemberColumns)
        query.addBindValue(record.*c.member);
}

// Reads the fields from the query's current row, starting at `column`.
void readFields(const QSqlQuery &query, int column, Record &record)
{
    for (const IntColumn &c : kIntColumns)
        (record.*c.set)(query.value(column++).toInt());
    for (const TextColumn &c : kTextColumns)
        (record.*c.set)(query.value(column++).toString().toStdString());
    for (const MemberColumn &c : kMemberColumns)
        record.*c.member = query.value(column++).toInt();
}

QStringList schemaStatements()
{
    QStringList columns;
    for (const IntColumn &c : kIntColumns)
        columns << QStringLiteral("%1 INTEGER NOT NULL").arg(QLatin1String(c.name));
    for (const TextColumn &c : kTextColumns)
        columns << QStringLiteral("%1 TEXT NOT NULL").arg(QLatin1String(c.name));
    for (const MemberColumn &c : kMemberColumns)
        columns << QStringLiteral("%1 INTEGER NOT NULL").arg(QLatin1String(c.name));
    return {
            QStringLiteral("CREATE TABLE IF NOT EXISTS voice_strategy ("
                           "id INTEGER PRIMARY KEY AUTOINCREMENT, %1)")
                    .arg(columns.join(QStringLiteral(", "))),
            QStringLiteral("CREATE INDEX IF NOT EXISTS voice_strategy_window "
                           "ON voice_strategy (window_id)"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS voice_strategy_time_range ("
                           "strategy_id INTEGER NOT NULL, position INTEGER NOT NULL, "
                           "weekday INTEGER NOT NULL, start_time TEXT NOT NULL, "
                           "end_time TEXT NOT NULL, PRIMARY KEY (strategy_id, position))"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS voice_strategy_person_group ("
                           "strategy_id INTEGER NOT NULL, position INTEGER NOT NULL, "
                           "group_id INTEGER NOT NULL, PRIMARY KEY (strategy_id, position))"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS voice_strategy_screen_text ("
                           "strategy_id INTEGER NOT NULL, position INTEGER NOT NULL, "
                           "state INTEGER NOT NULL, text TEXT NOT NULL, result TEXT NOT NULL, "
                           "PRIMARY KEY (strategy_id, position))"),
    };
}

const char *const kListTables[] = {"voice_strategy_time_range", "voice_strategy_person_group",
                                   "voice_strategy_screen_text"};

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

// Children of the strategies of one window, in stored order.
QString childQuery(const char *table, const char *columns)
{
    return QStringLiteral("SELECT strategy_id, %1 FROM %2 WHERE strategy_id IN "
                          "(SELECT id FROM voice_strategy WHERE window_id = ?) "
                          "ORDER BY strategy_id, position")
            .arg(QLatin1String(columns), QLatin1String(table));
}

} // namespace

VoiceStrategyStore *VoiceStrategyStore::instance()
{
    static VoiceStrategyStore store;
    return &store;
}

void VoiceStrategyStore::failNext(Request kind, int count, const QString &errorText)
{
    InjectedFailure &failure = m_failures[index(kind)];
    failure.remaining = qMax(0, count);
    failure.text = errorText;
}

void VoiceStrategyStore::clearFailures()
{
    m_failures.fill(InjectedFailure{});
}

bool VoiceStrategyStore::beginRequest(Request kind, const char *function)
{
    ++m_requests[index(kind)];
    InjectedFailure &failure = m_failures[index(kind)];
    if (failure.remaining <= 0)
        return true;
    --failure.remaining;
    m_lastError = failure.text;
    qDebug().noquote() << QStringLiteral("VoiceStrategyStore::%1 injected failure: %2")
                                  .arg(QLatin1String(function), failure.text);
    return false;
}

bool VoiceStrategyStore::fail(const char *function, const QString &text)
{
    m_lastError = text;
    qDebug().noquote()
            << QStringLiteral("VoiceStrategyStore::%1 %2").arg(QLatin1String(function), text);
    return false;
}

bool VoiceStrategyStore::failQuery(const char *function, const QSqlQuery &query)
{
    const QString text =
            QStringLiteral("The platform database failed: %1").arg(query.lastError().text());
    m_lastError = text;
    qWarning().noquote()
            << QStringLiteral("VoiceStrategyStore::%1 %2").arg(QLatin1String(function), text);
    return false;
}

bool VoiceStrategyStore::failTransaction(const char *function, QSqlDatabase &db)
{
    const QString text =
            QStringLiteral("The platform database failed: %1").arg(db.lastError().text());
    db.rollback();
    m_lastError = text;
    qWarning().noquote()
            << QStringLiteral("VoiceStrategyStore::%1 %2").arg(QLatin1String(function), text);
    return false;
}

bool VoiceStrategyStore::openDatabase(const char *function, QSqlDatabase &db)
{
    db = PlatformStore::instance()->database();
    if (!db.isOpen()) {
        m_lastError = QStringLiteral("The platform database is not available: %1")
                              .arg(db.lastError().text());
        qWarning().noquote() << QStringLiteral("VoiceStrategyStore::%1 %2")
                                        .arg(QLatin1String(function), m_lastError);
        return false;
    }
    // Cheap no-ops once the tables exist; the database may have been reopened on another file.
    QSqlQuery query(db);
    for (const QString &statement : schemaStatements()) {
        if (!query.exec(statement))
            return failQuery(function, query);
    }
    return true;
}

bool VoiceStrategyStore::list(int windowId, std::vector<ST_MSGVoiceBroadcastStrategy> &strategies)
{
    strategies.clear();
    if (!beginRequest(Request::List, "list"))
        return false;
    QSqlDatabase db;
    if (!openDatabase("list", db))
        return false;

    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT id, %1 FROM voice_strategy WHERE window_id = ? "
                                 "ORDER BY id")
                          .arg(fieldColumns().join(QStringLiteral(", "))));
    query.addBindValue(windowId);
    if (!query.exec())
        return failQuery("list", query);

    std::vector<ST_MSGVoiceBroadcastStrategy> found;
    std::map<int, std::size_t> indexById;
    // Rows of one window only reach strategies read above; anything else is skipped.
    const auto owner = [&](const QSqlQuery &row) -> ST_MSGVoiceBroadcastStrategy * {
        const auto it = indexById.find(row.value(0).toInt());
        return it == indexById.end() ? nullptr : &found[it->second];
    };
    while (query.next()) {
        ST_MSGVoiceBroadcastStrategy strategy;
        strategy.set_id(query.value(0).toInt());
        readFields(query, 1, strategy);
        indexById[strategy.get_id()] = found.size();
        found.push_back(std::move(strategy));
    }

    query.prepare(childQuery("voice_strategy_time_range", "weekday, start_time, end_time"));
    query.addBindValue(windowId);
    if (!query.exec())
        return failQuery("list", query);
    while (query.next()) {
        VoiceTimeRange range;
        range.weekday = query.value(1).toInt();
        range.start_time = query.value(2).toString().toStdString();
        range.end_time = query.value(3).toString().toStdString();
        if (ST_MSGVoiceBroadcastStrategy *strategy = owner(query))
            strategy->vecTimeRange.push_back(range);
    }

    query.prepare(childQuery("voice_strategy_person_group", "group_id"));
    query.addBindValue(windowId);
    if (!query.exec())
        return failQuery("list", query);
    while (query.next()) {
        if (ST_MSGVoiceBroadcastStrategy *strategy = owner(query))
            strategy->vecPersonGroupId.push_back(query.value(1).toInt());
    }

    query.prepare(childQuery("voice_strategy_screen_text", "state, text, result"));
    query.addBindValue(windowId);
    if (!query.exec())
        return failQuery("list", query);
    while (query.next()) {
        ScreenTextItem item;
        item.state = query.value(1).toInt();
        item.text = query.value(2).toString().toStdString();
        item.result = query.value(3).toString().toStdString();
        if (ST_MSGVoiceBroadcastStrategy *strategy = owner(query))
            strategy->vecScreenText.push_back(item);
    }

    strategies = std::move(found);
    return true;
}

bool VoiceStrategyStore::writeLists(const char *function, QSqlDatabase &db, int strategyId,
                                    const ST_MSGVoiceBroadcastStrategy &strategy)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO voice_strategy_time_range "
                                 "(strategy_id, position, weekday, start_time, end_time) "
                                 "VALUES (?, ?, ?, ?, ?)"));
    for (std::size_t i = 0; i < strategy.vecTimeRange.size(); ++i) {
        const VoiceTimeRange &range = strategy.vecTimeRange[i];
        query.addBindValue(strategyId);
        query.addBindValue(int(i));
        query.addBindValue(range.weekday);
        query.addBindValue(QString::fromStdString(range.start_time));
        query.addBindValue(QString::fromStdString(range.end_time));
        if (!query.exec())
            return failQuery(function, query);
    }

    query.prepare(QStringLiteral("INSERT INTO voice_strategy_person_group "
                                 "(strategy_id, position, group_id) VALUES (?, ?, ?)"));
    for (std::size_t i = 0; i < strategy.vecPersonGroupId.size(); ++i) {
        query.addBindValue(strategyId);
        query.addBindValue(int(i));
        query.addBindValue(strategy.vecPersonGroupId[i]);
        if (!query.exec())
            return failQuery(function, query);
    }

    query.prepare(QStringLiteral("INSERT INTO voice_strategy_screen_text "
                                 "(strategy_id, position, state, text, result) "
                                 "VALUES (?, ?, ?, ?, ?)"));
    for (std::size_t i = 0; i < strategy.vecScreenText.size(); ++i) {
        const ScreenTextItem &item = strategy.vecScreenText[i];
        query.addBindValue(strategyId);
        query.addBindValue(int(i));
        query.addBindValue(item.state);
        query.addBindValue(QString::fromStdString(item.text));
        query.addBindValue(QString::fromStdString(item.result));
        if (!query.exec())
            return failQuery(function, query);
    }
    return true;
}

bool VoiceStrategyStore::deleteLists(const char *function, QSqlDatabase &db, int strategyId)
{
    QSqlQuery query(db);
    for (const char *table : kListTables) {
        query.prepare(
                QStringLiteral("DELETE FROM %1 WHERE strategy_id = ?").arg(QLatin1String(table)));
        query.addBindValue(strategyId);
        if (!query.exec())
            return failQuery(function, query);
    }
    return true;
}

bool VoiceStrategyStore::exists(const char *function, QSqlDatabase &db, int strategyId, bool &found)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM voice_strategy WHERE id = ?"));
    query.addBindValue(strategyId);
    if (!query.exec())
        return failQuery(function, query);
    found = query.next();
    return true;
}

bool VoiceStrategyStore::add(const ST_MSGVoiceBroadcastStrategy &strategy, int &newId)
{
    if (!beginRequest(Request::Add, "add"))
        return false;
    QSqlDatabase db;
    if (!openDatabase("add", db))
        return false;
    if (!db.transaction())
        return failTransaction("add", db);

    const QStringList columns = fieldColumns();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO voice_strategy (%1) VALUES (%2)")
                          .arg(columns.join(QStringLiteral(", ")), placeholders(columns.size())));
    bindFields(query, strategy);
    if (!query.exec()) {
        failQuery("add", query);
        db.rollback();
        return false;
    }
    const int id = query.lastInsertId().toInt();
    if (!writeLists("add", db, id, strategy)) {
        db.rollback();
        return false;
    }
    if (!db.commit())
        return failTransaction("add", db);
    newId = id;
    qDebug().noquote() << QStringLiteral("VoiceStrategyStore::add strategy %1 of window %2")
                                  .arg(id)
                                  .arg(strategy.get_window_id());
    return true;
}

bool VoiceStrategyStore::set(const ST_MSGVoiceBroadcastStrategy &strategy)
{
    if (!beginRequest(Request::Set, "set"))
        return false;
    const int id = strategy.get_id();
    if (id == Record::NoValue)
        return fail("set", QStringLiteral("The strategy has not been stored yet."));
    QSqlDatabase db;
    if (!openDatabase("set", db))
        return false;
    if (!db.transaction())
        return failTransaction("set", db);

    QStringList assignments = fieldColumns();
    for (QString &column : assignments)
        column += QStringLiteral(" = ?");
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE voice_strategy SET %1 WHERE id = ?")
                          .arg(assignments.join(QStringLiteral(", "))));
    bindFields(query, strategy);
    query.addBindValue(id);
    if (!query.exec()) {
        failQuery("set", query);
        db.rollback();
        return false;
    }
    if (query.numRowsAffected() < 1) {
        db.rollback();
        return fail("set", QStringLiteral("The strategy %1 does not exist.").arg(id));
    }
    if (!deleteLists("set", db, id) || !writeLists("set", db, id, strategy)) {
        db.rollback();
        return false;
    }
    if (!db.commit())
        return failTransaction("set", db);
    return true;
}

bool VoiceStrategyStore::remove(const std::vector<int> &ids)
{
    if (!beginRequest(Request::Delete, "remove"))
        return false;
    if (ids.empty())
        return fail("remove", QStringLiteral("No strategy was given to delete."));
    QSqlDatabase db;
    if (!openDatabase("remove", db))
        return false;
    if (!db.transaction())
        return failTransaction("remove", db);

    QSqlQuery query(db);
    for (int id : ids) {
        bool found = false;
        if (!exists("remove", db, id, found)) {
            db.rollback();
            return false;
        }
        if (!found) {
            db.rollback();
            return fail("remove", QStringLiteral("The strategy %1 does not exist.").arg(id));
        }
        if (!deleteLists("remove", db, id)) {
            db.rollback();
            return false;
        }
        query.prepare(QStringLiteral("DELETE FROM voice_strategy WHERE id = ?"));
        query.addBindValue(id);
        if (!query.exec()) {
            failQuery("remove", query);
            db.rollback();
            return false;
        }
    }
    if (!db.commit())
        return failTransaction("remove", db);
    return true;
}
