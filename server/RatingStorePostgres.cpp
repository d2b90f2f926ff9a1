#include "server/RatingStorePostgres.h"

#include <libpq-fe.h>

#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS ratings (hash TEXT PRIMARY KEY, prop TEXT NOT NULL, account TEXT NOT NULL,"
    "  changed BIGINT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS accounts (name TEXT PRIMARY KEY, password_hash TEXT NOT NULL,"
    "  created BIGINT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS rating_changes (id BIGSERIAL PRIMARY KEY, hash TEXT NOT NULL,"
    "  account TEXT NOT NULL, changed BIGINT NOT NULL, old_prop TEXT, old_account TEXT, new_prop TEXT);"
    "CREATE INDEX IF NOT EXISTS rating_changes_by_account ON rating_changes (account);"
    "CREATE INDEX IF NOT EXISTS rating_changes_by_hash ON rating_changes (hash);";

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// PostgreSQL's type numbers (pg_type.oid) of the parameters the changes pass.
constexpr Oid kTextType = 25;
constexpr Oid kBigIntType = 20;

// Connections of one server, kept for reuse.
struct Pool {
    std::string address;
    std::mutex lock;
    std::vector<PGconn*> idle;
};

}  // namespace

struct PostgresStore {
    Pool primary;
    Pool replica;  // its address is the primary's when no replica is named
};

namespace {

PGconn* Connect(const std::string& address, std::string& error) {
    PGconn* connection = PQconnectdb(address.c_str());
    if (PQstatus(connection) != CONNECTION_OK) {
        error = PQerrorMessage(connection);
        while (!error.empty() && error.back() == '\n') {
            error.pop_back();
        }
        PQfinish(connection);
        return nullptr;
    }
    return connection;
}

// A connection taken from a pool for one operation; a broken one is not given back.
class Lease {
public:
    explicit Lease(Pool& pool) : pool_(pool) {
        {
            std::lock_guard<std::mutex> guard(pool.lock);
            if (!pool.idle.empty()) {
                connection_ = pool.idle.back();
                pool.idle.pop_back();
            }
        }
        if (connection_ == nullptr) {
            std::string error;
            connection_ = Connect(pool.address, error);
        }
    }
    ~Lease() {
        if (connection_ == nullptr) {
            return;
        }
        if (PQstatus(connection_) != CONNECTION_OK || PQtransactionStatus(connection_) != PQTRANS_IDLE) {
            PQfinish(connection_);
            return;
        }
        std::lock_guard<std::mutex> guard(pool_.lock);
        pool_.idle.push_back(connection_);
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    bool ok() const { return connection_ != nullptr; }
    // Runs `sql` with the parameters (a null pointer is SQL NULL), of the given types or, without
    // them, of the types the server infers.
    Result Run(const char* sql, const std::vector<const std::string*>& parameters = {}, const Oid* types = nullptr) {
        std::vector<const char*> values;
        for (const std::string* parameter : parameters) {
            values.push_back(parameter ? parameter->c_str() : nullptr);
        }
        return Result(
            PQexecParams(connection_, sql, static_cast<int>(values.size()), types, values.data(), nullptr, nullptr, 0),
            &PQclear);
    }
    bool Command(const char* sql) { return Succeeded(Run(sql)); }

    static bool Succeeded(const Result& result) {
        const ExecStatusType status = PQresultStatus(result.get());
        return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    }

private:
    Pool& pool_;
    PGconn* connection_ = nullptr;
};

bool IsDuplicate(const Result& result) {
    const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
    return state != nullptr && std::strcmp(state, "23505") == 0;
}

std::string Text(const Result& result, int row, int column) {
    return std::string(PQgetvalue(result.get(), row, column),
                       static_cast<size_t>(PQgetlength(result.get(), row, column)));
}

bool IsNull(const Result& result, int row, int column) {
    return PQgetisnull(result.get(), row, column) != 0;
}

long long Number(const Result& result, int row, int column) {
    return std::atoll(PQgetvalue(result.get(), row, column));
}

long long Changed(const Result& result) {
    return std::atoll(PQcmdTuples(result.get()));
}

// Each change of a rating is one statement, so that a post costs one exchange with the server and
// needs no transaction of its own: the rating is set or removed and the change recorded with what was
// there before, together or not at all. $1 the hash, $2 the prop, $3 the account stored with the
// rating, $4 the time, $5 the account the change is recorded as. It reports the records it wrote:
// none when an insert finds the hash stored already, or an update or delete finds it missing.
const char* const kRecordChange =
    " INSERT INTO rating_changes (hash, account, changed, old_prop, old_account, new_prop)"
    " SELECT $1, $5, $4, ";
const std::string kInsertChange = std::string(
                                      "WITH added AS (INSERT INTO ratings (hash, prop, account, changed)"
                                      " VALUES ($1, $2, $3, $4) ON CONFLICT (hash) DO NOTHING RETURNING hash)") +
                                  kRecordChange + "NULL, NULL, $2 FROM added";
const char* const kLockPrevious =
    "WITH previous AS (SELECT hash, prop, account FROM ratings WHERE hash = $1 FOR UPDATE),";
const std::string kUpdateChange = std::string(kLockPrevious) +
                                  " done AS (UPDATE ratings SET prop = $2, account = $3, changed = $4 FROM previous"
                                  " WHERE ratings.hash = previous.hash RETURNING previous.prop, previous.account)" +
                                  kRecordChange + "prop, account, $2 FROM done";
const std::string kDeleteChange = std::string(kLockPrevious) +
                                  " done AS (DELETE FROM ratings USING previous WHERE ratings.hash = previous.hash"
                                  " RETURNING previous.prop, previous.account)" +
                                  kRecordChange + "prop, account, NULL FROM done";

enum class Change { Insert, Update, Delete };

StoreResult ChangeRating(Lease& lease,
                         Change kind,
                         const std::string& hash,
                         const std::string* prop,
                         const std::string& account,
                         const std::string& recordedAs) {
    const std::string& sql = kind == Change::Insert   ? kInsertChange
                             : kind == Change::Update ? kUpdateChange
                                                      : kDeleteChange;
    const std::string now = std::to_string(static_cast<long long>(std::time(nullptr)));
    // Typed, since a delete leaves the prop unused and the server could not tell its type.
    static const Oid kTypes[] = {kTextType, kTextType, kTextType, kBigIntType, kTextType};
    const Result result = lease.Run(sql.c_str(), {&hash, prop, &account, &now, &recordedAs}, kTypes);
    if (!Lease::Succeeded(result)) {
        return StoreResult::Failed;
    }
    if (Changed(result) > 0) {
        return StoreResult::Done;
    }
    return kind == Change::Insert ? StoreResult::Exists : StoreResult::Missing;
}

// Ends the transaction: committed when the operation was done, else rolled back.
StoreResult Finish(Lease& lease, StoreResult result) {
    if (result == StoreResult::Done && lease.Command("COMMIT")) {
        return result;
    }
    lease.Command("ROLLBACK");
    return result == StoreResult::Done ? StoreResult::Failed : result;
}

}  // namespace

bool IsPostgresAddress(const std::string& database) {
    return database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0 ||
           database.find("dbname=") != std::string::npos;
}

PostgresStore* OpenPostgresStore(const std::string& primary, const std::string& replica, std::string& error) {
    auto store = std::make_unique<PostgresStore>();
    store->primary.address = primary;
    store->replica.address = replica.empty() ? primary : replica;
    PGconn* connection = Connect(primary, error);
    if (connection == nullptr) {
        return nullptr;
    }
    // Servers that start together may both create the tables: one waits for the other's lock.
    Result created(PQexec(connection, ("SET client_min_messages = warning; SELECT pg_advisory_lock(7236); " +
                                       std::string(kSchema) + "SELECT pg_advisory_unlock(7236);")
                                          .c_str()),
                   &PQclear);
    if (!Lease::Succeeded(created)) {
        error = PQerrorMessage(connection);
        PQfinish(connection);
        return nullptr;
    }
    store->primary.idle.push_back(connection);
    if (!replica.empty()) {
        PGconn* reader = Connect(replica, error);
        if (reader == nullptr) {
            ClosePostgresStore(store.release());
            return nullptr;
        }
        store->replica.idle.push_back(reader);
    }
    return store.release();
}

void ClosePostgresStore(PostgresStore* store) {
    for (Pool* pool : {&store->primary, &store->replica}) {
        for (PGconn* connection : pool->idle) {
            PQfinish(connection);
        }
    }
    delete store;
}

StoreResult PostgresChangeRating(PostgresStore& store,
                                 const std::string& hash,
                                 const std::string* prop,
                                 const std::string& account,
                                 bool insert) {
    Lease lease(store.primary);
    if (!lease.ok()) {
        return StoreResult::Failed;
    }
    const Change kind = prop == nullptr ? Change::Delete : insert ? Change::Insert : Change::Update;
    return ChangeRating(lease, kind, hash, prop, account, account);
}

StoreResult PostgresQueryRating(PostgresStore& store, const std::string& hash, std::string& prop) {
    Lease lease(store.replica);
    if (!lease.ok()) {
        return StoreResult::Failed;
    }
    const Result result = lease.Run("SELECT prop FROM ratings WHERE hash = $1", {&hash});
    if (!Lease::Succeeded(result)) {
        return StoreResult::Failed;
    }
    if (PQntuples(result.get()) == 0) {
        return StoreResult::Missing;
    }
    prop = Text(result, 0, 0);
    return StoreResult::Done;
}

StoreResult PostgresListRatingChanges(PostgresStore& store,
                                      const std::string& account,
                                      std::vector<RatingChange>& changes) {
    Lease lease(store.primary);
    if (!lease.ok()) {
        return StoreResult::Failed;
    }
    const Result result = lease.Run(
        "SELECT id, hash, changed, old_prop, new_prop FROM rating_changes WHERE account = $1 ORDER BY id", {&account});
    if (!Lease::Succeeded(result)) {
        return StoreResult::Failed;
    }
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        RatingChange change;
        change.id = Number(result, row, 0);
        change.hash = Text(result, row, 1);
        change.changed = Number(result, row, 2);
        change.hadOld = !IsNull(result, row, 3);
        change.oldProp = Text(result, row, 3);
        change.hasNew = !IsNull(result, row, 4);
        change.newProp = Text(result, row, 4);
        changes.push_back(change);
    }
    return StoreResult::Done;
}

StoreResult PostgresRevertRatingChanges(PostgresStore& store,
                                        const std::string& account,
                                        size_t& restored,
                                        size_t& skipped) {
    restored = skipped = 0;
    Lease lease(store.primary);
    // No post may change a rating between the look at its history and the restore.
    if (!lease.ok() || !lease.Command("BEGIN") || !lease.Command("LOCK TABLE ratings IN EXCLUSIVE MODE")) {
        return StoreResult::Failed;
    }
    const Result touched = lease.Run(
        "SELECT c.hash, c.old_prop, c.old_account,"
        " (SELECT count(*) FROM rating_changes later WHERE later.hash = c.hash AND later.id > spans.last)"
        " FROM rating_changes c JOIN (SELECT hash, min(id) AS first, max(id) AS last FROM rating_changes"
        " WHERE account = $1 GROUP BY hash) spans ON c.id = spans.first ORDER BY c.id",
        {&account});
    if (!Lease::Succeeded(touched)) {
        return Finish(lease, StoreResult::Failed);
    }
    const std::string by = "(revert of " + account + ")";
    StoreResult result = StoreResult::Done;
    for (int row = 0; row < PQntuples(touched.get()) && result == StoreResult::Done; ++row) {
        if (Number(touched, row, 3) > 0) {
            ++skipped;
            continue;
        }
        const std::string hash = Text(touched, row, 0);
        const std::string oldProp = Text(touched, row, 1);
        const bool hadOld = !IsNull(touched, row, 1);
        if (hadOld) {
            // Put back what was there, whether the account changed it or deleted it.
            const std::string oldAccount = Text(touched, row, 2);
            result = ChangeRating(lease, Change::Insert, hash, &oldProp, oldAccount, by);
            if (result == StoreResult::Exists) {
                result = ChangeRating(lease, Change::Update, hash, &oldProp, oldAccount, by);
            }
        } else {
            result = ChangeRating(lease, Change::Delete, hash, nullptr, by, by);
            if (result == StoreResult::Missing) {
                result = StoreResult::Done;  // already gone, as it was before
            }
        }
        restored += result == StoreResult::Done ? 1 : 0;
    }
    result = Finish(lease, result);
    if (result != StoreResult::Done) {
        restored = skipped = 0;
    }
    return result;
}

StoreResult PostgresWrite(PostgresStore& store, const char* sql, const std::vector<std::string>& texts, bool stamped) {
    Lease lease(store.primary);
    if (!lease.ok()) {
        return StoreResult::Failed;
    }
    std::vector<const std::string*> parameters;
    for (const std::string& text : texts) {
        parameters.push_back(&text);
    }
    const std::string now = std::to_string(static_cast<long long>(std::time(nullptr)));
    if (stamped) {
        parameters.push_back(&now);
    }
    const Result result = lease.Run(sql, parameters);
    if (IsDuplicate(result)) {
        return StoreResult::Exists;
    }
    if (!Lease::Succeeded(result)) {
        return StoreResult::Failed;
    }
    return Changed(result) > 0 ? StoreResult::Done : StoreResult::Missing;
}

StoreResult PostgresRead(PostgresStore& store,
                         const char* sql,
                         const std::string* text,
                         std::vector<std::string>& rows) {
    Lease lease(store.primary);
    if (!lease.ok()) {
        return StoreResult::Failed;
    }
    const Result result = text ? lease.Run(sql, {text}) : lease.Run(sql);
    if (!Lease::Succeeded(result)) {
        return StoreResult::Failed;
    }
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        rows.push_back(Text(result, row, 0));
    }
    return StoreResult::Done;
}
