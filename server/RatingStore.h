#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Ratings and accounts in one SQLite file, or on a PostgreSQL server for more than one machine (WAL mode, so queries
// run beside a write). Writes go through one connection under a lock, the posts' rating changes in groups that share
// one commit; queries and account lookups take a connection of their own from a pool.

struct RatingStore;

struct RatingStoreCloser {
    void operator()(RatingStore* store) const;
};
using RatingStorePointer = std::unique_ptr<RatingStore, RatingStoreCloser>;

// Opens the file, creating it and its tables on first use; null with a reason on failure. A
// PostgreSQL address (postgresql://... or a connection string with dbname=) opens a store on that
// server instead; its queries go to `replica` when that names one.
RatingStorePointer OpenRatingStore(const std::string& path, const std::string& replica, std::string& error);

enum class StoreResult { Done, Exists, Missing, Failed };

StoreResult InsertStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account);
StoreResult UpdateStoredRating(RatingStore& store,
                               const std::string& hash,
                               const std::string& prop,
                               const std::string& account);
StoreResult DeleteStoredRating(RatingStore& store, const std::string& hash, const std::string& account);
StoreResult QueryStoredRating(RatingStore& store, const std::string& hash, std::string& prop);

// Every insert, update and delete is recorded with its account, time, and the prop before and after.
struct RatingChange {
    int64_t id = 0;
    std::string hash;
    int64_t changed = 0;  // seconds since 1970
    bool hadOld = false;  // whether the hash had a rating before
    std::string oldProp;
    bool hasNew = false;  // false for a delete
    std::string newProp;
};

StoreResult ListRatingChanges(RatingStore& store, const std::string& account, std::vector<RatingChange>& changes);

// Puts back every rating the account changed as it was before the account's first change of it,
// except where another account changed it since (those are counted as skipped). One transaction.
StoreResult RevertRatingChanges(RatingStore& store, const std::string& account, size_t& restored, size_t& skipped);

StoreResult AddAccount(RatingStore& store, const std::string& name, const std::string& passwordHash);
StoreResult SetAccountPassword(RatingStore& store, const std::string& name, const std::string& passwordHash);
StoreResult RemoveAccount(RatingStore& store, const std::string& name);
StoreResult AccountPasswordHash(RatingStore& store, const std::string& name, std::string& passwordHash);
StoreResult ListAccounts(RatingStore& store, std::vector<std::string>& names);
