#pragma once

#include <string>

#include "server/GuessLimit.h"
#include "server/RatingStore.h"

// Account passwords are kept only as libsodium password hashes (Argon2id, salted, deliberately slow).

bool InitializePasswordHashing();

// The storable hash of a password; false when hashing fails (out of memory).
bool HashPassword(const std::string& password, std::string& passwordHash);

// Password guessing is slowed per account name and per peer address.
struct AccountGuard {
    GuessLimit names;
    GuessLimit peers;
};

enum class AccountCheck { Passed, Failed, Waiting };

// Whether the account exists and the password is its own, for a post from `peer`. The slow check
// (Argon2id) is paid also for unknown names, so the answer time does not tell which names exist; few
// checks run at once, which bounds the memory the hashing takes. A password that passed the slow check is remembered
// for a while (as a keyed hash under a secret made at start, never stored), so the account's next posts pass in
// microseconds, also while its name waits out a lockout that somebody else's guesses caused. Anything else pays the
// full check, unless the name or the peer must wait: then it fails at once, before the store is asked. Failures and
// lockouts go to the error log.
AccountCheck CheckAccount(RatingStore& store,
                          AccountGuard& guard,
                          const std::string& name,
                          const std::string& password,
                          const std::string& peer);
