#include "server/RatingStore.h"

#include "server/RatingStorePostgres.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <condition_variable>
#include <ctime>
#include <initializer_list>
#include <mutex>

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS ratings ("
    "  hash TEXT PRIMARY KEY NOT NULL,"
    "  prop TEXT NOT NULL,"
    "  account TEXT NOT NULL,"
    "  changed INTEGER NOT NULL"
    ") WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS accounts ("
    "  name TEXT PRIMARY KEY NOT NULL,"
    "  password_hash TEXT NOT NULL,"
    "  created INTEGER NOT NULL"
    ") WITHOUT ROWID;"
    // Every change of a rating, so that what an account did can be listed and undone. A missing prop
    // (NULL) means the rating was not there before, or is gone after.
    "CREATE TABLE IF NOT EXISTS rating_changes ("
    "  id INTEGER PRIMARY KEY,"
    "  hash TEXT NOT NULL,"
    "  account TEXT NOT NULL,"
    "  changed INTEGER NOT NULL,"
    "  old_prop TEXT,"
    "  old_account TEXT,"
    "  new_prop TEXT"
    ");"
    "CREATE INDEX IF NOT EXISTS rating_changes_by_account ON rating_changes (account);"
    "CREATE INDEX IF NOT EXISTS rating_changes_by_hash ON rating_changes (hash);"
    "PRAGMA user_version = 2;";

// Files of the first layout get the history table; anything newer is not ours to change.
constexpr int kNewestLayout = 2;

constexpr int kBusyMilliseconds = 5000;
const char* const kReaderCache = "PRAGMA cache_size = -256";  // KiB

// The statements every post and query runs, prepared once per reading connection.
struct Connection {
    sqlite3* database = nullptr;
    sqlite3_stmt* query = nullptr;
    sqlite3_stmt* account = nullptr;
};

void CloseConnection(Connection& connection) {
    sqlite3_finalize(connection.query);
    sqlite3_finalize(connection.account);
    sqlite3_close(connection.database);
    connection = Connection();
}

bool OpenConnection(const std::string& path, Connection& connection, std::string& error) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &connection.database, flags, nullptr) != SQLITE_OK) {
        error = connection.database ? sqlite3_errmsg(connection.database) : "out of memory";
        CloseConnection(connection);
        return false;
    }
    sqlite3_busy_timeout(connection.database, kBusyMilliseconds);
    return true;
}

class Statement {
public:
    Statement(sqlite3* database, const char* sql) { sqlite3_prepare_v2(database, sql, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return statement_ != nullptr; }
    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, int64_t number) {
        sqlite3_bind_int64(statement_, index, number);
        return *this;
    }
    // Binds NULL for a missing text.
    Statement& Bind(int index, const std::string* text) {
        if (text) {
            return Bind(index, *text);
        }
        sqlite3_bind_null(statement_, index);
        return *this;
    }
    bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    int64_t Number(int column) const { return sqlite3_column_int64(statement_, column); }
    int Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_ERROR; }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))) : "";
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Posts' changes, each stored with its record or not at all, and answered only once synced. A post
// that finds nobody writing commits every change waiting by then in one transaction, each in a
// savepoint of its own: one sync then serves them all, where one transaction each would queue the
// posts for a sync apiece. Each change's answer is what it would have had alone, in queue order.
struct PendingChange {
    const char* sql;
    const std::string& hash;
    const std::string* prop;
    const std::string& account;
    StoreResult result = StoreResult::Failed;
    bool finished = false;
};

}  // namespace

struct RatingStore {
    std::string path;
    std::mutex writeLock;
    Connection writer;
    // Changes of posts waiting to be committed together (ChangeRatingNow).
    std::mutex queueLock;
    std::condition_variable committed;
    std::vector<PendingChange*> queue;
    bool committing = false;
    std::mutex poolLock;
    std::vector<Connection> idleReaders;
    PostgresStore* postgres = nullptr;  // set when the ratings live on a PostgreSQL server instead
};

void RatingStoreCloser::operator()(RatingStore* store) const {
    if (store->postgres) {
        ClosePostgresStore(store->postgres);
    }
    CloseConnection(store->writer);
    for (Connection& reader : store->idleReaders) {
        CloseConnection(reader);
    }
    delete store;
}

RatingStorePointer OpenRatingStore(const std::string& path, const std::string& replica, std::string& error) {
    RatingStorePointer store(new RatingStore);
    store->path = path;
    if (IsPostgresAddress(path)) {
        store->postgres = OpenPostgresStore(path, replica, error);
        return store->postgres ? std::move(store) : nullptr;
    }
    if (!replica.empty()) {
        error = "a read replica needs a PostgreSQL store";
        return nullptr;
    }
    // The file holds the accounts' password hashes: a new one is for the server's user alone (SQLite
    // gives its journal files the same mode).
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (created >= 0) {
        ::close(created);
    }
    if (!OpenConnection(path, store->writer, error)) {
        return nullptr;
    }
    sqlite3* database = store->writer.database;
    // WAL lets queries read while a post writes; FULL makes every answered post survive a power cut.
    char* message = nullptr;
    if (sqlite3_exec(database, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;", nullptr, nullptr, &message) !=
        SQLITE_OK) {
        error = message ? message : sqlite3_errmsg(database);
        sqlite3_free(message);
        return nullptr;
    }
    {
        Statement version(database, "PRAGMA user_version");
        if (version.Step() != SQLITE_ROW || version.Number(0) < 0 || version.Number(0) > kNewestLayout) {
            error = "unknown database layout";
            return nullptr;
        }
    }
    if (sqlite3_exec(database, kSchema, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : sqlite3_errmsg(database);
        sqlite3_free(message);
        return nullptr;
    }
    return store;
}

namespace {

// Runs one writing statement with the texts bound to ?1, ?2, ... and, when stamped, the current time
// after them.
StoreResult Write(RatingStore& store, const char* sql, std::initializer_list<std::string> texts, bool stamped) {
    std::lock_guard<std::mutex> lock(store.writeLock);
    Statement statement(store.writer.database, sql);
    int index = 1;
    for (const std::string& text : texts) {
        statement.Bind(index++, text);
    }
    if (stamped) {
        statement.Bind(index, static_cast<int64_t>(std::time(nullptr)));
    }
    const int result = statement.Step();
    if (result == SQLITE_CONSTRAINT) {
        return StoreResult::Exists;
    }
    if (result != SQLITE_DONE) {
        return StoreResult::Failed;
    }
    return sqlite3_changes(store.writer.database) > 0 ? StoreResult::Done : StoreResult::Missing;
}

Connection TakeReader(RatingStore& store) {
    {
        std::lock_guard<std::mutex> lock(store.poolLock);
        if (!store.idleReaders.empty()) {
            Connection reader = store.idleReaders.back();
            store.idleReaders.pop_back();
            return reader;
        }
    }
    Connection reader;
    std::string error;
    if (OpenConnection(store.path, reader, error)) {
        // Each worker may hold a reader of its own; with SQLite's default cache of 2 MiB each, a busy
        // server grew by a hundred MiB and more. The kernel's file cache serves the rest as well, once.
        sqlite3_exec(reader.database, kReaderCache, nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(reader.database, "SELECT prop FROM ratings WHERE hash = ?1", -1, &reader.query, nullptr);
        sqlite3_prepare_v2(reader.database, "SELECT password_hash FROM accounts WHERE name = ?1", -1, &reader.account,
                           nullptr);
    }
    return reader;
}

void ReturnReader(RatingStore& store, Connection reader) {
    if (reader.query == nullptr || reader.account == nullptr) {
        CloseConnection(reader);
        return;
    }
    std::lock_guard<std::mutex> lock(store.poolLock);
    store.idleReaders.push_back(reader);
}

// Runs one of a reading connection's statements with `key`: the text of its first column.
StoreResult ReadOne(RatingStore& store, sqlite3_stmt* Connection::*which, const std::string& key, std::string& text) {
    Connection reader = TakeReader(store);
    sqlite3_stmt* statement = reader.*which;
    if (statement == nullptr) {
        ReturnReader(store, reader);
        return StoreResult::Failed;
    }
    sqlite3_bind_text(statement, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    const int step = sqlite3_step(statement);
    StoreResult result = StoreResult::Failed;
    if (step == SQLITE_ROW) {
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        text.assign(value ? value : "", static_cast<size_t>(sqlite3_column_bytes(statement, 0)));
        result = StoreResult::Done;
    } else if (step == SQLITE_DONE) {
        result = StoreResult::Missing;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    ReturnReader(store, reader);
    return result;
}

}  // namespace

namespace {

// The prop and account stored for a hash; false when there is none.
bool StoredRating(sqlite3* database, const std::string& hash, std::string& prop, std::string& account) {
    Statement statement(database, "SELECT prop, account FROM ratings WHERE hash = ?1");
    statement.Bind(1, hash);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    prop = statement.Text(0);
    account = statement.Text(1);
    return true;
}

bool Execute(sqlite3* database, const char* sql) {
    return sqlite3_exec(database, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Sets (or, with no prop, deletes) the rating of a hash and records the change, under the write lock
// and inside the caller's transaction. `sql` takes the hash, the prop, the account and the time. The
// change is recorded as the account's, or as `recordedAs` when that is given.
StoreResult ChangeRating(sqlite3* database,
                         const char* sql,
                         const std::string& hash,
                         const std::string* prop,
                         const std::string& account,
                         const std::string* recordedAs = nullptr) {
    std::string oldProp;
    std::string oldAccount;
    const bool had = StoredRating(database, hash, oldProp, oldAccount);
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    Statement change(database, sql);
    change.Bind(1, hash).Bind(2, prop).Bind(3, account).Bind(4, now);
    const int result = change.Step();
    if (result == SQLITE_CONSTRAINT) {
        return StoreResult::Exists;
    }
    if (result != SQLITE_DONE) {
        return StoreResult::Failed;
    }
    if (sqlite3_changes(database) == 0) {
        return StoreResult::Missing;
    }
    Statement record(database,
                     "INSERT INTO rating_changes (hash, account, changed, old_prop, old_account, new_prop)"
                     " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    record.Bind(1, hash).Bind(2, recordedAs ? *recordedAs : account).Bind(3, now);
    record.Bind(4, had ? &oldProp : nullptr).Bind(5, had ? &oldAccount : nullptr).Bind(6, prop);
    return record.Step() == SQLITE_DONE ? StoreResult::Done : StoreResult::Failed;
}

// Commits a batch of PendingChange (see there).
void CommitChanges(RatingStore& store, const std::vector<PendingChange*>& batch) {
    std::lock_guard<std::mutex> lock(store.writeLock);
    sqlite3* database = store.writer.database;
    if (!Execute(database, "BEGIN IMMEDIATE")) {
        return;  // each stays Failed
    }
    bool changed = false;
    for (PendingChange* change : batch) {
        if (!Execute(database, "SAVEPOINT change")) {
            change->result = StoreResult::Failed;
            continue;
        }
        change->result = ChangeRating(database, change->sql, change->hash, change->prop, change->account);
        if (change->result != StoreResult::Done) {
            Execute(database, "ROLLBACK TO change");
        }
        Execute(database, "RELEASE change");
        changed = changed || change->result == StoreResult::Done;
    }
    if (changed && Execute(database, "COMMIT")) {
        return;
    }
    Execute(database, "ROLLBACK");
    for (PendingChange* change : batch) {
        if (change->result == StoreResult::Done) {
            change->result = StoreResult::Failed;
        }
    }
}

StoreResult ChangeRatingNow(RatingStore& store,
                            const char* sql,
                            const std::string& hash,
                            const std::string* prop,
                            const std::string& account) {
    PendingChange change{sql, hash, prop, account};
    std::unique_lock<std::mutex> lock(store.queueLock);
    store.queue.push_back(&change);
    while (!change.finished) {
        if (store.committing) {
            store.committed.wait(lock);
            continue;
        }
        store.committing = true;
        std::vector<PendingChange*> batch;
        batch.swap(store.queue);
        lock.unlock();
        CommitChanges(store, batch);
        lock.lock();
        for (PendingChange* done : batch) {
            done->finished = true;
        }
        store.committing = false;
        store.committed.notify_all();
    }
    return change.result;
}

const char* const kInsertRating = "INSERT INTO ratings (hash, prop, account, changed) VALUES (?1, ?2, ?3, ?4)";
const char* const kUpdateRating = "UPDATE ratings SET prop = ?2, account = ?3, changed = ?4 WHERE hash = ?1";
const char* const kReplaceRating =
    "INSERT OR REPLACE INTO ratings (hash, prop, account, changed) VALUES (?1, ?2, ?3, ?4)";
// Binding ?2 to ?4 here does nothing (SQLite refuses them as out of range), so every change binds alike.
const char* const kDeleteRating = "DELETE FROM ratings WHERE hash = ?1";

}  // namespace

StoreResult InsertStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account) {
    if (store.postgres) {
        return PostgresChangeRating(*store.postgres, hash, &prop, account, true);
    }
    return ChangeRatingNow(store, kInsertRating, hash, &prop, account);
}

StoreResult UpdateStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account) {
    if (store.postgres) {
        return PostgresChangeRating(*store.postgres, hash, &prop, account, false);
    }
    return ChangeRatingNow(store, kUpdateRating, hash, &prop, account);
}

StoreResult DeleteStoredRating(RatingStore& store, const std::string& hash, const std::string& account) {
    if (store.postgres) {
        return PostgresChangeRating(*store.postgres, hash, nullptr, account, false);
    }
    return ChangeRatingNow(store, kDeleteRating, hash, nullptr, account);
}

StoreResult ListRatingChanges(RatingStore& store, const std::string& account, std::vector<RatingChange>& changes) {
    if (store.postgres) {
        return PostgresListRatingChanges(*store.postgres, account, changes);
    }
    std::lock_guard<std::mutex> lock(store.writeLock);
    Statement statement(
        store.writer.database,
        "SELECT id, hash, changed, old_prop, new_prop FROM rating_changes WHERE account = ?1 ORDER BY id");
    statement.Bind(1, account);
    int result;
    while ((result = statement.Step()) == SQLITE_ROW) {
        RatingChange change;
        change.id = statement.Number(0);
        change.hash = statement.Text(1);
        change.changed = statement.Number(2);
        change.hadOld = !statement.IsNull(3);
        change.oldProp = statement.Text(3);
        change.hasNew = !statement.IsNull(4);
        change.newProp = statement.Text(4);
        changes.push_back(change);
    }
    return result == SQLITE_DONE ? StoreResult::Done : StoreResult::Failed;
}

StoreResult RevertRatingChanges(RatingStore& store, const std::string& account, size_t& restored, size_t& skipped) {
    if (store.postgres) {
        return PostgresRevertRatingChanges(*store.postgres, account, restored, skipped);
    }
    restored = skipped = 0;
    std::lock_guard<std::mutex> lock(store.writeLock);
    sqlite3* database = store.writer.database;
    if (!Execute(database, "BEGIN IMMEDIATE")) {
        return StoreResult::Failed;
    }
    // Per hash the account touched: the state before its first change of it, and its last change.
    Statement touched(database,
                      "SELECT c.hash, c.old_prop, c.old_account, last.id, last.new_prop FROM rating_changes c"
                      " JOIN (SELECT hash, min(id) AS first, max(id) AS id FROM rating_changes WHERE account = ?1"
                      "       GROUP BY hash) spans ON c.id = spans.first"
                      " JOIN rating_changes last ON last.id = spans.id ORDER BY c.id");
    touched.Bind(1, account);
    const std::string by = "(revert of " + account + ")";  // no account can have this name
    StoreResult result = StoreResult::Done;
    int step = SQLITE_DONE;
    while (result == StoreResult::Done && (step = touched.Step()) == SQLITE_ROW) {
        const std::string hash = touched.Text(0);
        Statement later(database, "SELECT count(*) FROM rating_changes WHERE hash = ?1 AND id > ?2");
        later.Bind(1, hash).Bind(2, touched.Number(3));
        if (later.Step() != SQLITE_ROW) {
            result = StoreResult::Failed;
            break;
        }
        if (later.Number(0) > 0) {
            ++skipped;  // somebody changed it since: theirs stands
            continue;
        }
        const std::string oldProp = touched.Text(1);
        const bool hadOld = !touched.IsNull(1);
        result = ChangeRating(database, hadOld ? kReplaceRating : kDeleteRating, hash, hadOld ? &oldProp : nullptr,
                              touched.Text(2), &by);
        if (result == StoreResult::Done) {
            ++restored;
        } else if (result == StoreResult::Missing) {
            result = StoreResult::Done;  // already gone, as it was before
            ++restored;
        }
    }
    if (result != StoreResult::Done || step == SQLITE_ERROR || !Execute(database, "COMMIT")) {
        Execute(database, "ROLLBACK");
        restored = skipped = 0;
        return StoreResult::Failed;
    }
    return StoreResult::Done;
}

StoreResult QueryStoredRating(RatingStore& store, const std::string& hash, std::string& prop) {
    if (store.postgres) {
        return PostgresQueryRating(*store.postgres, hash, prop);
    }
    return ReadOne(store, &Connection::query, hash, prop);
}

StoreResult AddAccount(RatingStore& store, const std::string& name, const std::string& passwordHash) {
    if (store.postgres) {
        return PostgresWrite(*store.postgres, "INSERT INTO accounts (name, password_hash, created) VALUES ($1, $2, $3)",
                             {name, passwordHash}, true);
    }
    return Write(store, "INSERT INTO accounts (name, password_hash, created) VALUES (?1, ?2, ?3)", {name, passwordHash},
                 true);
}

StoreResult SetAccountPassword(RatingStore& store, const std::string& name, const std::string& passwordHash) {
    if (store.postgres) {
        return PostgresWrite(*store.postgres, "UPDATE accounts SET password_hash = $2 WHERE name = $1",
                             {name, passwordHash}, false);
    }
    return Write(store, "UPDATE accounts SET password_hash = ?2 WHERE name = ?1", {name, passwordHash}, false);
}

StoreResult RemoveAccount(RatingStore& store, const std::string& name) {
    if (store.postgres) {
        return PostgresWrite(*store.postgres, "DELETE FROM accounts WHERE name = $1", {name}, false);
    }
    return Write(store, "DELETE FROM accounts WHERE name = ?1", {name}, false);
}

StoreResult AccountPasswordHash(RatingStore& store, const std::string& name, std::string& passwordHash) {
    if (store.postgres) {
        std::vector<std::string> rows;
        const StoreResult result =
            PostgresRead(*store.postgres, "SELECT password_hash FROM accounts WHERE name = $1", &name, rows);
        if (result == StoreResult::Done && rows.empty()) {
            return StoreResult::Missing;
        }
        passwordHash = rows.empty() ? "" : rows[0];
        return result;
    }
    // A reading connection: every post looks its account up, and must not wait for other posts' writes.
    return ReadOne(store, &Connection::account, name, passwordHash);
}

StoreResult ListAccounts(RatingStore& store, std::vector<std::string>& names) {
    if (store.postgres) {
        return PostgresRead(*store.postgres, "SELECT name FROM accounts ORDER BY name", nullptr, names);
    }
    std::lock_guard<std::mutex> lock(store.writeLock);
    Statement statement(store.writer.database, "SELECT name FROM accounts ORDER BY name");
    int result;
    while ((result = statement.Step()) == SQLITE_ROW) {
        names.push_back(statement.Text(0));
    }
    return result == SQLITE_DONE ? StoreResult::Done : StoreResult::Failed;
}
