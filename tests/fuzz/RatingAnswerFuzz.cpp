#include <cstddef>
#include <cstdint>
#include <string>

#include "main/database/RatingLookup.h"

namespace {

const std::string kHash = "3f786850e387550fdab836ed7e6dc881de23001b";

}  // namespace

// The input is what the server sent: read as a post's answer, and as a query's answer fed through
// QueryRating into a cache.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string received(reinterpret_cast<const char*>(data), size);
    const std::string body = AnswerBody(received);
    if (body.size() > received.size()) {
        __builtin_trap();
    }
    PostResult(body);

    RatingDatabase database;
    database.now = [] { return int64_t{1700000000}; };
    int64_t tick = 0;
    RatingNetwork& network = database.network;
    network.started = true;
    network.connect = [](const std::string&, int) -> intptr_t { return 1; };
    network.send = [](intptr_t, const std::string&) { return true; };
    network.readable = [](intptr_t) { return true; };
    size_t read = 0;  // the answer comes in one piece, then the connection is closed
    network.receive = [&received, &read](intptr_t, size_t most) {
        std::string piece = received.substr(read, most);
        read += piece.size();
        return piece;
    };
    network.close = [](intptr_t) {};
    network.sleep = [&tick](int milliseconds) { tick += milliseconds; };
    network.tick = [&tick] { return tick; };

    const QueryAnswer answer = ParseQueryAnswer(kHash, AnswerBody(received.substr(0, kRatingAnswerBlockLength)));
    const int stored = QueryRating(database, kHash, "fuzz.exe");
    if (stored != (answer.kind == QueryAnswer::Kind::Ignored ? 0 : 1) ||
        database.cache.entries.size() != static_cast<size_t>(stored)) {
        __builtin_trap();
    }
    if (stored == 1) {
        const RatingEntry& entry = database.cache.entries[0];
        if (entry.hash != kHash || entry.rating != answer.rating ||
            entry.description.find_first_of("|\x01\x02") != std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
