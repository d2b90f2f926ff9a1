#include "server/Accounts.h"

#include <sodium.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Each check takes crypto_pwhash_MEMLIMIT_INTERACTIVE (64 MiB); more checks at once than cores would
// only queue for the processor anyway.
class CheckLimit {
public:
    CheckLimit() : free_(std::max(2u, std::thread::hardware_concurrency())) {}
    void Enter() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return free_ > 0; });
        --free_;
    }
    void Leave() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++free_;
        }
        changed_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    unsigned free_;
};

CheckLimit& Limit() {
    static CheckLimit limit;
    return limit;
}

const std::string& DummyHash() {
    static const std::string hash = [] {
        std::string text;
        HashPassword("no account has this password", text);
        return text;
    }();
    return hash;
}

}  // namespace

bool InitializePasswordHashing() {
    return sodium_init() >= 0;
}

bool HashPassword(const std::string& password, std::string& passwordHash) {
    char text[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(text, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        return false;
    }
    passwordHash = text;
    return true;
}

bool CheckAccount(RatingStore& store, const std::string& name, const std::string& password) {
    std::string stored;
    const bool found = AccountPasswordHash(store, name, stored) == StoreResult::Done;
    const std::string& against = found ? stored : DummyHash();
    Limit().Enter();
    const bool matches =
        !against.empty() && crypto_pwhash_str_verify(against.c_str(), password.data(), password.size()) == 0;
    Limit().Leave();
    return found && matches;
}
