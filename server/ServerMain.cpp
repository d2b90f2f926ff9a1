// vtldb-server: the online side of Vantrel's rating database.
//
//   vtldb-server --listen HOST:PORT --db FILE [options]       serve the four requests
//   vtldb-server --db FILE --add-account NAME                 password from standard input
//   vtldb-server --db FILE --set-password NAME                password from standard input
//   vtldb-server --db FILE --remove-account NAME
//   vtldb-server --db FILE --list-accounts
//   vtldb-server --db FILE --history NAME                     the account's rating changes
//   vtldb-server --db FILE --revert NAME                      undo them where nobody changed the rating since

#include <httplib.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>

#include "server/Accounts.h"
#include "server/RatingHttpServer.h"
#include "server/RatingService.h"
#include "server/ServerLog.h"

namespace {

constexpr int kUsage = 2;
constexpr size_t kDefaultThreads = 64;
constexpr size_t kMaximumBody = 16384;
constexpr size_t kDefaultPeerConnections = 32;

struct Options {
    std::string listen;
    std::string adminListen;  // /healthz and /metrics, never on the public address
    std::string database;
    std::string readDatabase;  // a PostgreSQL read replica for the queries
    std::string accessLog;
    std::string errorLog;
    std::string command;  // an account command, or empty to serve
    std::string account;
    size_t threads = kDefaultThreads;
    size_t peerConnections = kDefaultPeerConnections;
};

const char* const kValueOptions[] = {"listen",    "admin-listen",     "db",      "access-log",
                                     "error-log", "peer-connections", "threads", "read-db"};

bool IsValueOption(const std::string& name) {
    for (const char* option : kValueOptions) {
        if (name == option) {
            return true;
        }
    }
    return false;
}

// "name = value" lines with the long option names; blank lines and lines from "#" are skipped.
bool ReadConfiguration(const std::string& path, std::map<std::string, std::string>& values) {
    std::ifstream file(path);
    if (!file) {
        std::cerr << "vtldb-server: cannot read the configuration " << path << "\n";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        const auto trim = [](std::string text) {
            const size_t first = text.find_first_not_of(" \t\r");
            const size_t last = text.find_last_not_of(" \t\r");
            return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
        };
        line = trim(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t equals = line.find('=');
        const std::string name = trim(line.substr(0, equals));
        if (equals == std::string::npos || !IsValueOption(name)) {
            std::cerr << "vtldb-server: " << path << ":" << number << ": expected one of the options as name = value\n";
            return false;
        }
        values.emplace(name, trim(line.substr(equals + 1)));  // an option given on the command line wins
    }
    return true;
}

bool ParseCount(const std::string& text, size_t& count) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 5) {
        return false;
    }
    count = std::strtoul(text.c_str(), nullptr, 10);
    return count > 0 && count <= 65536;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    const std::map<std::string, bool> commands = {{"--add-account", true},    {"--set-password", true},
                                                  {"--remove-account", true}, {"--list-accounts", false},
                                                  {"--history", true},        {"--revert", true}};
    std::map<std::string, std::string> values;
    std::string configuration;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        const auto command = commands.find(option);
        if (command != commands.end()) {
            if (!options.command.empty() || (command->second && !hasValue)) {
                return false;
            }
            options.command = option;
            if (command->second) {
                options.account = argv[++i];
            }
        } else if (option == "--config" && hasValue) {
            configuration = argv[++i];
        } else if (option.rfind("--", 0) == 0 && IsValueOption(option.substr(2)) && hasValue) {
            values[option.substr(2)] = argv[++i];
        } else {
            return false;
        }
    }
    if (!configuration.empty() && !ReadConfiguration(configuration, values)) {
        return false;
    }
    options.listen = values["listen"];
    options.adminListen = values["admin-listen"];
    options.database = values["db"];
    options.readDatabase = values["read-db"];
    options.accessLog = values["access-log"];
    options.errorLog = values["error-log"];
    if ((values.count("threads") && !ParseCount(values["threads"], options.threads)) ||
        (values.count("peer-connections") && !ParseCount(values["peer-connections"], options.peerConnections))) {
        return false;
    }
    return !options.database.empty() && (options.command.empty() != options.listen.empty());
}

// "127.0.0.1:8080", "[::1]:8080", "localhost:0" (0 picks a free port).
bool SplitListen(const std::string& listen, std::string& host, int& port) {
    const size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon + 1 == listen.size() || colon + 6 < listen.size()) {
        return false;
    }
    host = listen.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    const std::string digits = listen.substr(colon + 1);
    if (host.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    port = std::stoi(digits);
    return port <= 65535;
}

bool ReadPassword(std::string& password) {
    termios saved;
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        std::cerr << "Password: " << std::flush;
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    const bool read = static_cast<bool>(std::getline(std::cin, password));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << "\n";
    }
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    return read && !password.empty() && password.size() <= kAccountPasswordMaximumLength;
}

// One line per change: time, hash, the prop before and after ("-" for none).
int PrintHistory(RatingStore& store, const std::string& account) {
    std::vector<RatingChange> changes;
    if (ListRatingChanges(store, account, changes) != StoreResult::Done) {
        std::cerr << "vtldb-server: cannot read the history\n";
        return 1;
    }
    for (const RatingChange& change : changes) {
        const std::time_t when = static_cast<std::time_t>(change.changed);
        std::tm parts = {};
        gmtime_r(&when, &parts);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &parts);
        std::cout << stamp << " " << change.hash << " " << (change.hadOld ? change.oldProp : "-") << " "
                  << (change.hasNew ? change.newProp : "-") << "\n";
    }
    return 0;
}

int RunAccountCommand(RatingStore& store, const Options& options) {
    if (options.command == "--list-accounts") {
        std::vector<std::string> names;
        if (ListAccounts(store, names) != StoreResult::Done) {
            std::cerr << "vtldb-server: cannot read the accounts\n";
            return 1;
        }
        for (const std::string& name : names) {
            std::cout << name << "\n";
        }
        return 0;
    }
    if (!IsAccountName(options.account)) {
        std::cerr << "vtldb-server: an account name is 1 to 64 bytes without blanks or control characters\n";
        return kUsage;
    }
    if (options.command == "--history") {
        return PrintHistory(store, options.account);
    }
    StoreResult result;
    if (options.command == "--revert") {
        size_t restored = 0;
        size_t skipped = 0;
        result = RevertRatingChanges(store, options.account, restored, skipped);
        if (result == StoreResult::Done) {
            std::cout << restored << " ratings restored, " << skipped << " changed by others since and kept\n";
        }
    } else if (options.command == "--remove-account") {
        result = RemoveAccount(store, options.account);
    } else {
        std::string password;
        std::string passwordHash;
        if (!ReadPassword(password)) {
            std::cerr << "vtldb-server: the password (one line, 1 to 256 bytes) comes on standard input\n";
            return kUsage;
        }
        if (!HashPassword(password, passwordHash)) {
            std::cerr << "vtldb-server: the password could not be hashed\n";
            return 1;
        }
        result = options.command == "--add-account" ? AddAccount(store, options.account, passwordHash)
                                                    : SetAccountPassword(store, options.account, passwordHash);
    }
    switch (result) {
        case StoreResult::Done:
            return 0;
        case StoreResult::Exists:
            std::cerr << "vtldb-server: the account " << options.account << " exists already\n";
            return 1;
        case StoreResult::Missing:
            std::cerr << "vtldb-server: there is no account " << options.account << "\n";
            return 1;
        case StoreResult::Failed:
            break;
    }
    std::cerr << "vtldb-server: the database could not be written\n";
    return 1;
}

void AddRoutes(httplib::Server& server, RatingStore& store, AccountGuard& guard) {
    const auto post = [&store, &guard](RatingPost kind) {
        return [&store, &guard, kind](const httplib::Request& request, httplib::Response& response) {
            response.set_content(AnswerRatingPost(store, guard, kind, request.body, request.remote_addr), "text/plain");
        };
    };
    server.Post("/vtldb/insert.php", post(RatingPost::Insert));
    server.Post("/vtldb/update.php", post(RatingPost::Update));
    server.Post("/vtldb/delete.php", post(RatingPost::Delete));
    server.Get("/vtldb/query.php", [&store](const httplib::Request& request, httplib::Response& response) {
        response.set_content(AnswerRatingQuery(store, request.target), "text/plain");
    });
    server.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        response.status = 500;
        response.set_content(std::to_string(RatingAnswerServerFailure), "text/plain");
    });
    // One line per request. The query string holds only a hash, and bodies (with their passwords)
    // are never written; a post's answer number is.
    server.set_logger([](const httplib::Request& request, const httplib::Response& response) {
        const uint64_t microseconds = RatingHttpServer::RequestMicroseconds();
        const RequestKind kind = RequestKindOf(request.method, request.path);
        CountRequest(kind, response.status, response.body, microseconds);
        std::string line = request.remote_addr + " " + request.method + " " + request.target.substr(0, 200) + " " +
                           std::to_string(response.status);
        if (kind != RequestKind::Query && kind != RequestKind::Other) {
            line += " answer=" + response.body;
        }
        LogAccess(line + " " + std::to_string(microseconds) + "us");
    });
}

// /healthz answers "ok" while the store answers a query; /metrics gives the counters.
void AddAdminRoutes(httplib::Server& admin, RatingStore& store) {
    admin.Get("/healthz", [&store](const httplib::Request&, httplib::Response& response) {
        std::string prop;
        const StoreResult result = QueryStoredRating(store, std::string(40, '0'), prop);
        const bool healthy = result != StoreResult::Failed;
        response.status = healthy ? 200 : 503;
        response.set_content(healthy ? "ok\n" : "store failing\n", "text/plain");
    });
    admin.Get("/metrics", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(MetricsText(), "text/plain; version=0.0.4");
    });
}

// Binds to HOST:PORT (port 0 picks one); the bound port, or -1.
int Bind(httplib::Server& server, const std::string& listen) {
    std::string host;
    int port = 0;
    if (!SplitListen(listen, host, port)) {
        return -1;
    }
    return port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
}

int Serve(RatingStore& store, const Options& options) {
    std::string host;
    int port = 0;
    if (!SplitListen(options.listen, host, port) ||
        (!options.adminListen.empty() && !SplitListen(options.adminListen, host, port))) {
        std::cerr << "vtldb-server: --listen and --admin-listen take HOST:PORT\n";
        return kUsage;
    }
    std::string error;
    if (!OpenServerLogs(options.accessLog, options.errorLog, error)) {
        std::cerr << "vtldb-server: " << error << "\n";
        return 1;
    }
    // Signals go to one waiting thread, which stops the server; the pool threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    AccountGuard guard;
    RatingHttpServer server(options.threads, options.peerConnections);
    // Keep-alive connections (not the client's, but browsers and load tests) may carry many queries.
    server.set_keep_alive_max_count(100000);
    server.set_payload_max_length(kMaximumBody);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    AddRoutes(server, store, guard);
    httplib::Server admin;
    admin.new_task_queue = [] { return new httplib::ThreadPool(2); };
    AddAdminRoutes(admin, store);

    const int bound = Bind(server, options.listen);
    if (bound < 0) {
        std::cerr << "vtldb-server: cannot listen on " << options.listen << "\n";
        return 1;
    }
    server.WidenBacklog();
    const int adminBound = options.adminListen.empty() ? 0 : Bind(admin, options.adminListen);
    if (adminBound < 0) {
        std::cerr << "vtldb-server: cannot listen on " << options.adminListen << "\n";
        return 1;
    }
    SplitListen(options.listen, host, port);
    std::cout << "vtldb-server listening on " << host << ":" << bound << std::endl;
    std::thread adminThread;
    if (adminBound > 0) {
        SplitListen(options.adminListen, host, port);
        std::cout << "vtldb-server admin on " << host << ":" << adminBound << std::endl;
        adminThread = std::thread([&admin] { admin.listen_after_bind(); });
    }

    std::atomic<bool> ended{false};
    std::thread stopper([&server, &admin, &ended, adminBound, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A signal that comes before the server has started to listen must still stop it: stop()
        // does nothing to a server that is not running yet.
        while (!server.is_running() && !ended) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server.stop();
        while (adminBound > 0 && !admin.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        admin.stop();
    });
    const bool served = server.listen_after_bind();
    ended = true;
    kill(getpid(), SIGTERM);  // wakes the stopper when the server ended by itself
    stopper.join();
    if (adminThread.joinable()) {
        adminThread.join();
    }
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Logs go to standard output; a reader that goes away must not end the server.
    signal(SIGPIPE, SIG_IGN);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: vtldb-server --listen HOST:PORT --db FILE [--threads N] [--peer-connections N]\n"
                     "                    [--admin-listen HOST:PORT] [--access-log FILE] [--error-log FILE]\n"
                     "                    [--read-db POSTGRESQL-ADDRESS] [--config FILE]\n"
                     "       vtldb-server --db FILE --add-account NAME | --set-password NAME\n"
                     "                              | --remove-account NAME | --list-accounts\n"
                     "                              | --history NAME | --revert NAME\n";
        return kUsage;
    }
    if (!InitializePasswordHashing()) {
        std::cerr << "vtldb-server: libsodium could not start\n";
        return 1;
    }
    std::string error;
    RatingStorePointer store = OpenRatingStore(options.database, options.readDatabase, error);
    if (!store) {
        std::cerr << "vtldb-server: " << options.database << ": " << error << "\n";
        return 1;
    }
    return options.command.empty() ? Serve(*store, options) : RunAccountCommand(*store, options);
}
