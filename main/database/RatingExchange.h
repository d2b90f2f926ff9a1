#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "main/database/RatingProtocol.h"

// One request and its answer over a fresh connection. The socket calls come from the system's
// network layer (Winsock in the program, POSIX sockets in tests); the waiting and timing are here.

constexpr int kRatingNoNetwork = -1;     // the network layer did not start
constexpr int kRatingNoConnection = -2;  // no connection, or the request could not be sent
constexpr int kRatingNoAnswer = -3;      // nothing came within the time-out

constexpr int kRatingFirstWaitMilliseconds = 50;
constexpr int kRatingPollMilliseconds = 10;
constexpr int64_t kRatingAnswerTimeoutMilliseconds = 5000;
constexpr size_t kRatingAnswerBlockLength = 4096;

struct RatingNetwork {
    bool started = false;
    DatabaseServer server;
    std::function<intptr_t(const std::string& host, int port)> connect;  // negative when it fails
    std::function<bool(intptr_t socket, const std::string& bytes)> send;
    std::function<bool(intptr_t socket)> readable;  // data (or the end of the connection) is waiting
    std::function<std::string(intptr_t socket, size_t most)> receive;
    std::function<void(intptr_t socket)> close;
    std::function<void(int milliseconds)> sleep;
    std::function<int64_t()> tick;  // milliseconds of a monotonic clock
};

struct RatingExchangeResult {
    int code = 0;  // 0, or one of the negative codes above
    std::string received;
};

// A 32-bit millisecond counter (GetTickCount) widened to 64 bits, so waits stay right across its wrap
// after 49.7 days; Windows XP has no GetTickCount64.
struct TickWidening {
    uint32_t last = 0;
    int64_t wraps = 0;
};
int64_t WidenTickCount(uint32_t now, TickWidening& state);

// Sends the request, then reads the first block that arrives within the time-out.
RatingExchangeResult ExchangeRatingRequest(const RatingNetwork& network, const std::string& request);

// Each returns the server's number (1 for success) or a negative code.
int InsertRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& prop,
                 const std::string& user,
                 const std::string& password);
int UpdateRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& prop,
                 const std::string& user,
                 const std::string& password);
int DeleteRating(const RatingNetwork& network,
                 const std::string& hash,
                 const std::string& user,
                 const std::string& password);

// The answer body, or "-1", "-2", "-3"; `failure` (when given) receives the negative code or 0, so a
// failed exchange can be told from a server that answers "-1".
std::string QueryServer(const RatingNetwork& network, const std::string& hash, int* failure = nullptr);
