#include "server/RatingStore.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

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
    "PRAGMA user_version = 1;";

constexpr int kBusyMilliseconds = 5000;

struct Connection {
    sqlite3* database = nullptr;
    sqlite3_stmt* query = nullptr;  // the hot statement, prepared once per connection
};

void CloseConnection(Connection& connection) {
    sqlite3_finalize(connection.query);
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
    int Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_ERROR; }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))) : "";
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace

struct RatingStore {
    std::string path;
    std::mutex writeLock;
    Connection writer;
    std::mutex poolLock;
    std::vector<Connection> idleReaders;
};

void RatingStoreCloser::operator()(RatingStore* store) const {
    CloseConnection(store->writer);
    for (Connection& reader : store->idleReaders) {
        CloseConnection(reader);
    }
    delete store;
}

RatingStorePointer OpenRatingStore(const std::string& path, std::string& error) {
    RatingStorePointer store(new RatingStore);
    store->path = path;
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
            SQLITE_OK ||
        sqlite3_exec(database, kSchema, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : sqlite3_errmsg(database);
        sqlite3_free(message);
        return nullptr;
    }
    Statement version(database, "PRAGMA user_version");
    if (version.Step() != SQLITE_ROW || version.Text(0) != "1") {
        error = "unknown database layout";
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
        sqlite3_prepare_v2(reader.database, "SELECT prop FROM ratings WHERE hash = ?1", -1, &reader.query, nullptr);
    }
    return reader;
}

void ReturnReader(RatingStore& store, Connection reader) {
    if (reader.query == nullptr) {
        CloseConnection(reader);
        return;
    }
    std::lock_guard<std::mutex> lock(store.poolLock);
    store.idleReaders.push_back(reader);
}

}  // namespace

StoreResult InsertStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account) {
    return Write(store, "INSERT INTO ratings (hash, prop, account, changed) VALUES (?1, ?2, ?3, ?4)",
                 {hash, prop, account}, true);
}

StoreResult UpdateStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account) {
    return Write(store, "UPDATE ratings SET prop = ?2, account = ?3, changed = ?4 WHERE hash = ?1",
                 {hash, prop, account}, true);
}

StoreResult DeleteStoredRating(RatingStore& store, const std::string& hash) {
    return Write(store, "DELETE FROM ratings WHERE hash = ?1", {hash}, false);
}

StoreResult QueryStoredRating(RatingStore& store, const std::string& hash, std::string& prop) {
    Connection reader = TakeReader(store);
    if (reader.query == nullptr) {
        ReturnReader(store, reader);
        return StoreResult::Failed;
    }
    sqlite3_bind_text(reader.query, 1, hash.data(), static_cast<int>(hash.size()), SQLITE_STATIC);
    const int step = sqlite3_step(reader.query);
    StoreResult result = StoreResult::Failed;
    if (step == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(reader.query, 0));
        prop.assign(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(reader.query, 0)));
        result = StoreResult::Done;
    } else if (step == SQLITE_DONE) {
        result = StoreResult::Missing;
    }
    sqlite3_reset(reader.query);
    sqlite3_clear_bindings(reader.query);
    ReturnReader(store, reader);
    return result;
}

StoreResult AddAccount(RatingStore& store, const std::string& name, const std::string& passwordHash) {
    return Write(store, "INSERT INTO accounts (name, password_hash, created) VALUES (?1, ?2, ?3)", {name, passwordHash},
                 true);
}

StoreResult SetAccountPassword(RatingStore& store, const std::string& name, const std::string& passwordHash) {
    return Write(store, "UPDATE accounts SET password_hash = ?2 WHERE name = ?1", {name, passwordHash}, false);
}

StoreResult RemoveAccount(RatingStore& store, const std::string& name) {
    return Write(store, "DELETE FROM accounts WHERE name = ?1", {name}, false);
}

StoreResult AccountPasswordHash(RatingStore& store, const std::string& name, std::string& passwordHash) {
    std::lock_guard<std::mutex> lock(store.writeLock);
    Statement statement(store.writer.database, "SELECT password_hash FROM accounts WHERE name = ?1");
    statement.Bind(1, name);
    const int result = statement.Step();
    if (result == SQLITE_ROW) {
        passwordHash = statement.Text(0);
        return StoreResult::Done;
    }
    return result == SQLITE_DONE ? StoreResult::Missing : StoreResult::Failed;
}

StoreResult ListAccounts(RatingStore& store, std::vector<std::string>& names) {
    std::lock_guard<std::mutex> lock(store.writeLock);
    Statement statement(store.writer.database, "SELECT name FROM accounts ORDER BY name");
    int result;
    while ((result = statement.Step()) == SQLITE_ROW) {
        names.push_back(statement.Text(0));
    }
    return result == SQLITE_DONE ? StoreResult::Done : StoreResult::Failed;
}
