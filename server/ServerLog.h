#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// The server's two logs and its counters. The access log gets one line per request, the error log
// failed password checks, lockouts and refused connections; both go to standard output (for a
// service manager's journal) unless files are named. Nothing logged ever holds a password.

// Empty paths keep standard output. False with a reason when a file cannot be opened for appending.
bool OpenServerLogs(const std::string& accessPath, const std::string& errorPath, std::string& error);
void LogAccess(const std::string& line);
void LogError(const std::string& line);

enum class RequestKind { Query, Insert, Update, Delete, Other, Count };

struct ServerMetrics {
    std::atomic<uint64_t> requests[static_cast<int>(RequestKind::Count)] = {};
    std::atomic<uint64_t> statuses[6] = {};  // 200, 400, 404, 413, 500, others
    std::atomic<uint64_t> answers[9] = {};   // by the answer number of a post
    std::atomic<uint64_t> latencyBuckets[9] = {};
    std::atomic<uint64_t> latencyMicroseconds{0};
    std::atomic<uint64_t> failedChecks{0};
    std::atomic<uint64_t> lockouts{0};
    std::atomic<uint64_t> refusedChecks{0};  // refused while a wait was running
    std::atomic<uint64_t> rememberedChecks{0};
    std::atomic<uint64_t> sharedChecks{0};  // took the verdict of an identical check under way
    std::atomic<uint64_t> refusedConnections{0};
    std::atomic<uint64_t> closedIdleConnections{0};
};

ServerMetrics& Metrics();

RequestKind RequestKindOf(const std::string& method, const std::string& path);
void CountRequest(RequestKind kind, int status, const std::string& body, uint64_t microseconds);

// Prometheus text format.
std::string MetricsText();

// Milliseconds of a steady clock, for waits and lockouts.
int64_t SteadyMilliseconds();
// "2026-12-08T17:50:01Z"
std::string UtcStamp();
