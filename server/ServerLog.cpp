#include "server/ServerLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace {

std::mutex g_logLock;
FILE* g_access = stdout;
FILE* g_error = stdout;

constexpr double kLatencyBounds[] = {0.001, 0.005, 0.01, 0.025,
                                     0.05,  0.1,   0.5,  1.0};  // seconds; the last bucket is +Inf
constexpr int kStatuses[] = {200, 400, 404, 413, 500};
const char* const kKindNames[] = {"query", "insert", "update", "delete", "other"};

void Write(FILE* file, const std::string& line) {
    std::lock_guard<std::mutex> guard(g_logLock);
    std::fprintf(file, "%s %s\n", UtcStamp().c_str(), line.c_str());
    std::fflush(file);
}

}  // namespace

bool OpenServerLogs(const std::string& accessPath, const std::string& errorPath, std::string& error) {
    for (const auto& [path, file] : {std::make_pair(&accessPath, &g_access), std::make_pair(&errorPath, &g_error)}) {
        if (path->empty()) {
            continue;
        }
        FILE* opened = std::fopen(path->c_str(), "a");
        if (!opened) {
            error = "cannot open the log " + *path;
            return false;
        }
        *file = opened;
    }
    return true;
}

void LogAccess(const std::string& line) {
    Write(g_access, line);
}

void LogError(const std::string& line) {
    Write(g_error, line);
}

ServerMetrics& Metrics() {
    static ServerMetrics metrics;
    return metrics;
}

RequestKind RequestKindOf(const std::string& method, const std::string& path) {
    if (method == "GET" && path == "/vtldb/query.php") {
        return RequestKind::Query;
    }
    if (method == "POST" && path == "/vtldb/insert.php") {
        return RequestKind::Insert;
    }
    if (method == "POST" && path == "/vtldb/update.php") {
        return RequestKind::Update;
    }
    if (method == "POST" && path == "/vtldb/delete.php") {
        return RequestKind::Delete;
    }
    return RequestKind::Other;
}

void CountRequest(RequestKind kind, int status, const std::string& body, uint64_t microseconds) {
    ServerMetrics& metrics = Metrics();
    ++metrics.requests[static_cast<int>(kind)];
    int statusSlot = 5;
    for (int i = 0; i < 5; ++i) {
        if (kStatuses[i] == status) {
            statusSlot = i;
        }
    }
    ++metrics.statuses[statusSlot];
    const bool post = kind == RequestKind::Insert || kind == RequestKind::Update || kind == RequestKind::Delete;
    if (post && body.size() == 1 && body[0] >= '1' && body[0] <= '8') {
        ++metrics.answers[body[0] - '0'];
    }
    int bucket = 0;
    while (bucket < 8 && static_cast<double>(microseconds) / 1e6 > kLatencyBounds[bucket]) {
        ++bucket;
    }
    ++metrics.latencyBuckets[bucket];
    metrics.latencyMicroseconds += microseconds;
}

std::string MetricsText() {
    const ServerMetrics& metrics = Metrics();
    std::string text;
    const auto line = [&text](const std::string& name, uint64_t value) {
        text += name + " " + std::to_string(value) + "\n";
    };
    text += "# TYPE vtldb_requests_total counter\n";
    for (int i = 0; i < static_cast<int>(RequestKind::Count); ++i) {
        line(std::string("vtldb_requests_total{kind=\"") + kKindNames[i] + "\"}", metrics.requests[i]);
    }
    text += "# TYPE vtldb_responses_total counter\n";
    for (int i = 0; i < 6; ++i) {
        line("vtldb_responses_total{status=\"" + (i < 5 ? std::to_string(kStatuses[i]) : std::string("other")) + "\"}",
             metrics.statuses[i]);
    }
    text += "# TYPE vtldb_post_answers_total counter\n";
    for (int i = 1; i <= 8; ++i) {
        line("vtldb_post_answers_total{answer=\"" + std::to_string(i) + "\"}", metrics.answers[i]);
    }
    text += "# TYPE vtldb_request_duration_seconds histogram\n";
    uint64_t cumulative = 0;
    for (int i = 0; i < 9; ++i) {
        cumulative += metrics.latencyBuckets[i];
        char bound[32];
        std::snprintf(bound, sizeof bound, "%g", i < 8 ? kLatencyBounds[i] : 0.0);
        line(std::string("vtldb_request_duration_seconds_bucket{le=\"") + (i < 8 ? bound : "+Inf") + "\"}", cumulative);
    }
    char sum[64];
    std::snprintf(sum, sizeof sum, "%.6f", static_cast<double>(metrics.latencyMicroseconds) / 1e6);
    text += std::string("vtldb_request_duration_seconds_sum ") + sum + "\n";
    line("vtldb_request_duration_seconds_count", cumulative);
    const std::pair<const char*, uint64_t> counters[] = {
        {"vtldb_failed_password_checks_total", metrics.failedChecks},
        {"vtldb_lockouts_total", metrics.lockouts},
        {"vtldb_refused_while_locked_total", metrics.refusedChecks},
        {"vtldb_remembered_password_checks_total", metrics.rememberedChecks},
        {"vtldb_shared_password_checks_total", metrics.sharedChecks},
        {"vtldb_refused_connections_total", metrics.refusedConnections},
        {"vtldb_closed_idle_connections_total", metrics.closedIdleConnections},
    };
    for (const auto& [name, value] : counters) {
        text += std::string("# TYPE ") + name + " counter\n";
        line(name, value);
    }
    return text;
}

int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string UtcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts = {};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}
