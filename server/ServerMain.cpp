// vtldb-server: the online side of Vantrel's rating database.
//
//   vtldb-server --listen HOST:PORT --db FILE [--threads N]   serve the four requests
//   vtldb-server --db FILE --add-account NAME                 password from standard input
//   vtldb-server --db FILE --set-password NAME                password from standard input
//   vtldb-server --db FILE --remove-account NAME
//   vtldb-server --db FILE --list-accounts

#include <httplib.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <thread>

#include "server/Accounts.h"
#include "server/RatingHttpServer.h"
#include "server/RatingService.h"

namespace {

constexpr int kUsage = 2;
constexpr size_t kDefaultThreads = 64;
constexpr size_t kMaximumBody = 16384;

struct Options {
    std::string listen;
    std::string database;
    std::string command;  // an account command, or empty to serve
    std::string account;
    size_t threads = kDefaultThreads;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    const std::map<std::string, bool> commands = {
        {"--add-account", true}, {"--set-password", true}, {"--remove-account", true}, {"--list-accounts", false}};
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
        } else if (option == "--listen" && hasValue) {
            options.listen = argv[++i];
        } else if (option == "--db" && hasValue) {
            options.database = argv[++i];
        } else if (option == "--threads" && hasValue) {
            options.threads = std::strtoul(argv[++i], nullptr, 10);
            if (options.threads == 0 || options.threads > 4096) {
                return false;
            }
        } else {
            return false;
        }
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
    StoreResult result;
    if (options.command == "--remove-account") {
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

void AddRoutes(httplib::Server& server, RatingStore& store) {
    const auto post = [&store](RatingPost kind) {
        return [&store, kind](const httplib::Request& request, httplib::Response& response) {
            response.set_content(AnswerRatingPost(store, kind, request.body), "text/plain");
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
}

int Serve(RatingStore& store, const Options& options) {
    std::string host;
    int port = 0;
    if (!SplitListen(options.listen, host, port)) {
        std::cerr << "vtldb-server: --listen takes HOST:PORT\n";
        return kUsage;
    }
    // Signals go to one waiting thread, which stops the server; the pool threads inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RatingHttpServer server;
    const size_t threads = options.threads;
    server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    // Keep-alive connections (not the client's, but browsers and load tests) may carry many queries.
    server.set_keep_alive_max_count(100000);
    server.set_payload_max_length(kMaximumBody);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    AddRoutes(server, store);

    const int bound = port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound < 0) {
        std::cerr << "vtldb-server: cannot listen on " << options.listen << "\n";
        return 1;
    }
    std::cout << "vtldb-server listening on " << host << ":" << bound << std::endl;

    std::atomic<bool> ended{false};
    std::thread stopper([&server, &ended, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A signal that comes before the server has started to listen must still stop it: stop()
        // does nothing to a server that is not running yet.
        while (!server.is_running() && !ended) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server.stop();
    });
    const bool served = server.listen_after_bind();
    ended = true;
    kill(getpid(), SIGTERM);  // wakes the stopper when the server ended by itself
    stopper.join();
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: vtldb-server --listen HOST:PORT --db FILE [--threads N]\n"
                     "       vtldb-server --db FILE --add-account NAME | --set-password NAME\n"
                     "                              | --remove-account NAME | --list-accounts\n";
        return kUsage;
    }
    if (!InitializePasswordHashing()) {
        std::cerr << "vtldb-server: libsodium could not start\n";
        return 1;
    }
    std::string error;
    RatingStorePointer store = OpenRatingStore(options.database, error);
    if (!store) {
        std::cerr << "vtldb-server: " << options.database << ": " << error << "\n";
        return 1;
    }
    return options.command.empty() ? Serve(*store, options) : RunAccountCommand(*store, options);
}
