#include "server/Accounts.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "server/ServerLog.h"

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

// Passwords that passed the slow check lately: per account name, a keyed hash of name and password,
// and the stored hash the password passed against. A password changed by the account command no
// longer has that stored hash, so the old one is refused at once.
class RememberedPasswords {
public:
    using Digest = std::array<unsigned char, crypto_generichash_BYTES>;
    static constexpr int64_t kKeepMilliseconds = 15 * 60 * 1000;
    static constexpr size_t kMaximumEntries = 100000;

    RememberedPasswords() { crypto_generichash_keygen(key_); }

    Digest Of(const std::string& name, const std::string& password) const {
        crypto_generichash_state state;
        crypto_generichash_init(&state, key_, sizeof key_, crypto_generichash_BYTES);
        for (const std::string* part : {&name, &password}) {
            const unsigned long long length = part->size();
            crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(&length), sizeof length);
            crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(part->data()), part->size());
        }
        Digest digest;
        crypto_generichash_final(&state, digest.data(), digest.size());
        return digest;
    }
    // Whether the password passed lately; `stored` gets the hash it passed against.
    bool Holds(const std::string& name, const Digest& digest, int64_t now, std::string& stored) {
        std::lock_guard<std::mutex> guard(lock_);
        const auto found = entries_.find(name);
        if (found == entries_.end() || found->second.until <= now ||
            sodium_memcmp(found->second.digest.data(), digest.data(), digest.size()) != 0) {
            return false;
        }
        stored = found->second.stored;
        return true;
    }
    void Keep(const std::string& name, const Digest& digest, const std::string& stored, int64_t now) {
        std::lock_guard<std::mutex> guard(lock_);
        if (entries_.size() >= kMaximumEntries) {
            entries_.clear();  // costs each account one slow check again, nothing more
        }
        entries_[name] = {digest, stored, now + kKeepMilliseconds};
    }

private:
    struct Entry {
        Digest digest;
        std::string stored;
        int64_t until;
    };
    unsigned char key_[crypto_generichash_KEYBYTES];
    std::mutex lock_;
    std::unordered_map<std::string, Entry> entries_;
};

RememberedPasswords& Remembered() {
    static RememberedPasswords remembered;
    return remembered;
}

bool VerifySlowly(const std::string& against, const std::string& password) {
    Limit().Enter();
    const bool matches =
        !against.empty() && crypto_pwhash_str_verify(against.c_str(), password.data(), password.size()) == 0;
    Limit().Leave();
    return matches;
}

// Slow checks under way, by the digest of name and password and the hash checked against. A client
// that posts from many connections at once sends the same name and password on each: only the first
// pays the slow check, the others wait for it and take its verdict, instead of queueing for the few
// checks that may run at once. Only identical checks are shared: another password never takes a
// verdict that is not its own, and a wrong one gains nothing but its failure, counted as ever.
class ChecksUnderWay {
public:
    // Whether the password matches; `remember` keeps a match as remembered before anybody hears of it,
    // so no later post of the account starts a slow check of its own meanwhile.
    bool Verify(const std::string& name,
                const RememberedPasswords::Digest& digest,
                const std::string& against,
                const std::string& password,
                bool remember) {
        const Key key(digest, against);
        std::unique_lock<std::mutex> lock(lock_);
        const auto found = running_.find(key);
        if (found != running_.end()) {
            const std::shared_ptr<Check> check = found->second;
            ++Metrics().sharedChecks;
            finished_.wait(lock, [&check] { return check->finished; });
            return check->matches;
        }
        const auto check = std::make_shared<Check>();
        running_.emplace(key, check);
        lock.unlock();
        const bool matches = VerifySlowly(against, password);
        if (matches && remember) {
            Remembered().Keep(name, digest, against, SteadyMilliseconds());
        }
        lock.lock();
        check->matches = matches;
        check->finished = true;
        running_.erase(key);
        lock.unlock();
        finished_.notify_all();
        return matches;
    }

private:
    struct Check {
        bool finished = false;
        bool matches = false;
    };
    using Key = std::pair<RememberedPasswords::Digest, std::string>;
    std::mutex lock_;
    std::condition_variable finished_;
    std::map<Key, std::shared_ptr<Check>> running_;
};

ChecksUnderWay& UnderWay() {
    static ChecksUnderWay underWay;
    return underWay;
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

AccountCheck CheckAccount(RatingStore& store,
                          AccountGuard& guard,
                          const std::string& name,
                          const std::string& password,
                          const std::string& peer) {
    ServerMetrics& metrics = Metrics();
    const int64_t now = SteadyMilliseconds();
    const RememberedPasswords::Digest digest = Remembered().Of(name, password);
    std::string passedAgainst;
    const bool remembered = Remembered().Holds(name, digest, now, passedAgainst);
    // A waiting name or address is refused before the store is asked, so that guessing costs the store
    // nothing either; only a password remembered as right goes on.
    const bool waiting = guard.names.WaitLeft(name, now) > 0 || guard.peers.WaitLeft(peer, now) > 0;
    if (waiting && !remembered) {
        ++metrics.refusedChecks;
        return AccountCheck::Waiting;
    }
    std::string stored;
    const StoreResult lookup = AccountPasswordHash(store, name, stored);
    const bool found = lookup == StoreResult::Done;
    if (remembered && found && stored == passedAgainst) {
        ++metrics.rememberedChecks;
        return AccountCheck::Passed;
    }
    if (waiting) {
        ++metrics.refusedChecks;
        return AccountCheck::Waiting;
    }
    if (UnderWay().Verify(name, digest, found ? stored : DummyHash(), password, found) && found) {
        guard.names.Succeed(name);
        guard.peers.Succeed(peer);
        return AccountCheck::Passed;
    }
    if (lookup == StoreResult::Failed) {
        LogError("account lookup failed user=" + name + " peer=" + peer);
        return AccountCheck::Failed;  // the store's fault, not a guess
    }
    ++metrics.failedChecks;
    const int64_t later = SteadyMilliseconds();
    const int64_t nameWait = guard.names.Fail(name, later);
    const int64_t peerWait = guard.peers.Fail(peer, later);
    LogError("password check failed user=" + name + " peer=" + peer);
    if (nameWait > 0 || peerWait > 0) {
        ++metrics.lockouts;
        LogError("locked out user=" + name + " for " + std::to_string(nameWait) + " ms, peer=" + peer + " for " +
                 std::to_string(peerWait) + " ms");
    }
    return AccountCheck::Failed;
}
