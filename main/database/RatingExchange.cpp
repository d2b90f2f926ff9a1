#include "main/database/RatingExchange.h"

int64_t WidenTickCount(uint32_t now, TickWidening& state) {
    if (now < state.last) {
        state.wraps += int64_t{1} << 32;
    }
    state.last = now;
    return state.wraps + now;
}

RatingExchangeResult ExchangeRatingRequest(const RatingNetwork& network, const std::string& request) {
    RatingExchangeResult result;
    if (!network.started) {
        result.code = kRatingNoNetwork;
        return result;
    }
    const intptr_t socket = network.connect(network.server.host, network.server.port);
    if (socket < 0) {
        result.code = kRatingNoConnection;
        return result;
    }
    if (!network.send(socket, request)) {
        network.close(socket);
        result.code = kRatingNoConnection;
        return result;
    }
    network.sleep(kRatingFirstWaitMilliseconds);
    const int64_t start = network.tick();
    // The answer may arrive in several pieces: read until the server closes the connection (it
    // does after its answer to an HTTP/1.0 request), the block is full, or the time is up. A cut
    // answer would turn a stored rating into a failure, or a description into a shorter one.
    for (;;) {
        if (network.readable(socket)) {
            const std::string piece = network.receive(socket, kRatingAnswerBlockLength - result.received.size());
            result.received += piece;
            if (piece.empty() || result.received.size() >= kRatingAnswerBlockLength ||
                AnswerIsComplete(result.received)) {
                break;
            }
            continue;
        }
        network.sleep(kRatingPollMilliseconds);
        if (network.tick() - start > kRatingAnswerTimeoutMilliseconds) {
            if (result.received.empty()) {
                result.code = kRatingNoAnswer;
            }
            break;
        }
    }
    network.close(socket);
    return result;
}

namespace {

int PostRating(const RatingNetwork& network,
               RatingPost post,
               const std::string& hash,
               const std::string& prop,
               const std::string& user,
               const std::string& password) {
    const RatingExchangeResult result =
        ExchangeRatingRequest(network, BuildRatingPostRequest(post, network.server, hash, prop, user, password));
    return result.code != 0 ? result.code : PostResult(AnswerBody(result.received));
}

}  // namespace

int InsertRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& prop,
                 const std::string& user,
                 const std::string& password) {
    return PostRating(network, RatingPost::Insert, hash, prop, user, password);
}

int UpdateRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& prop,
                 const std::string& user,
                 const std::string& password) {
    return PostRating(network, RatingPost::Update, hash, prop, user, password);
}

int DeleteRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& user,
                 const std::string& password) {
    return PostRating(network, RatingPost::Delete, hash, std::string(), user, password);
}

std::string QueryServer(const RatingNetwork& network, const std::string& hash, int* failure) {
    const RatingExchangeResult result = ExchangeRatingRequest(network, BuildRatingQueryRequest(network.server, hash));
    if (failure != nullptr)
        *failure = result.code;
    return result.code != 0 ? std::to_string(result.code) : AnswerBody(result.received);
}
