#pragma once

#include <string>
#include <vector>

#include "server/RatingStore.h"

// The rating store on a PostgreSQL server: the same operations and answers as the SQLite file, for
// more than one machine. Writes go to the primary; queries go to a read replica when one is named.

struct PostgresStore;

bool IsPostgresAddress(const std::string& database);

// Connects (libpq connection strings or postgresql:// addresses) and creates the tables on first use;
// null with a reason on failure.
PostgresStore* OpenPostgresStore(const std::string& primary, const std::string& replica, std::string& error);
void ClosePostgresStore(PostgresStore* store);

StoreResult PostgresChangeRating(PostgresStore& store,
                                 const std::string& hash,
                                 const std::string* prop,
                                 const std::string& account,
                                 bool insert);
StoreResult PostgresQueryRating(PostgresStore& store, const std::string& hash, std::string& prop);
StoreResult PostgresListRatingChanges(PostgresStore& store,
                                      const std::string& account,
                                      std::vector<RatingChange>& changes);
StoreResult PostgresRevertRatingChanges(PostgresStore& store,
                                        const std::string& account,
                                        size_t& restored,
                                        size_t& skipped);

// The account operations: `sql` with $1, $2... bound to the texts, the current time after them when
// `stamped`. Done when a row changed, Missing when none, Exists on a duplicate name.
StoreResult PostgresWrite(PostgresStore& store, const char* sql, const std::vector<std::string>& texts, bool stamped);
// The first column of every row of `sql` with $1 bound to `text` (when not null).
StoreResult PostgresRead(PostgresStore& store,
                         const char* sql,
                         const std::string* text,
                         std::vector<std::string>& rows);
