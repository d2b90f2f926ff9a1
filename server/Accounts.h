#pragma once

#include <string>

#include "server/RatingStore.h"

// Account passwords are kept only as libsodium password hashes (Argon2id, salted, deliberately slow).

bool InitializePasswordHashing();

// The storable hash of a password; false when hashing fails (out of memory).
bool HashPassword(const std::string& password, std::string& passwordHash);

// Whether the account exists and the password is its own. Each check costs a slow hash, also for
// unknown names, so the answer time does not tell which names exist; few checks run at once, which
// bounds the memory the hashing takes.
bool CheckAccount(RatingStore& store, const std::string& name, const std::string& password);
