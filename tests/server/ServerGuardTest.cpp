#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "main/database/RatingLookup.h"
#include "server/GuessLimit.h"
#include "tests/main/database/DatabaseTestSupport.h"
#include "tests/main/database/PosixRatingNetwork.h"
#include "tests/server/ServerProcess.h"

namespace {

const std::string kHash = "00112233445566778899aabbccddeeff00112233";

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A connection from another loopback address, so the server sees another peer.
int ConnectFrom(const char* source, int port) {
    const int connection = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, source, &local.sin_addr);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connection < 0 || bind(connection, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(connection);
        return -1;
    }
    return connection;
}

bool SendQuery(int connection) {
    const std::string request = "GET /vtldb/query.php?hash=" + kHash + " HTTP/1.1\r\nHost: x\r\n\r\n";
    return send(connection, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
}

// Whether answer bytes arrive within the time (false also when the server closes the connection).
bool AnswerArrives(int connection, int milliseconds) {
    pollfd entry = {connection, POLLIN, 0};
    char buffer[4096];
    return poll(&entry, 1, milliseconds) > 0 && recv(connection, buffer, sizeof buffer, 0) > 0;
}

// How many answers the text holds.
size_t Answers(const std::string& received) {
    size_t count = 0;
    for (size_t at = 0; (at = received.find("HTTP/1.1 200", at)) != std::string::npos; ++at) {
        ++count;
    }
    return count;
}

bool ClosedByServer(int connection) {
    pollfd entry = {connection, POLLIN, 0};
    char byte;
    return poll(&entry, 1, 2000) > 0 && recv(connection, &byte, 1, 0) == 0;
}

// Sends a keep-alive query and waits up to two seconds for any answer bytes.
bool KeepAliveQuery(int connection) {
    return SendQuery(connection) && AnswerArrives(connection, 2000);
}

long ResidentKilobytes(pid_t pid) {
    const std::string status = FileText("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 6);
}

class ServerGuardTest : public ::testing::Test {
protected:
    void Start(const std::string& arguments) {
        ASSERT_EQ(server_.AddAccount("anna", "first"), 0);
        ASSERT_EQ(server_.AddAccount("carl", "carls"), 0);
        const bool configured = arguments.find("--config") != std::string::npos;
        ASSERT_TRUE(
            server_.Start(arguments + " --admin-listen 127.0.0.1:0" +
                          (configured ? "" : " --access-log '" + accessLog_ + "' --error-log '" + errorLog_ + "'")));
        DatabaseServer address;
        address.host = "127.0.0.1";
        address.port = server_.port();
        network_ = PosixRatingNetwork(address);
    }
    std::string Admin(const std::string& path) const {
        return CommandOutput("curl -s http://127.0.0.1:" + std::to_string(server_.adminPort()) + path);
    }
    // The value of one line of /metrics.
    long Metric(const std::string& name) const {
        const std::string text = Admin("/metrics");
        const size_t at = text.find("\n" + name + " ");
        return at == std::string::npos ? -1 : std::atol(text.c_str() + at + name.size() + 2);
    }
    int Insert(const std::string& hash, const std::string& user, const std::string& password) const {
        return InsertRating(network_, hash, BuildRatingProp(1, "x"), user, password);
    }

    TemporaryFolder folder_;
    std::string accessLog_ = folder_.File("access.log");
    std::string errorLog_ = folder_.File("error.log");
    ServerProcess server_{folder_.File("ratings.db")};
    RatingNetwork network_;
};

TEST(GuessLimit, FreeFailuresThenDoublingWaitsUpToTheLongest) {
    GuessLimit limit({1000, 5000, 2, 3});
    EXPECT_EQ(limit.Fail("a", 0), 0);
    EXPECT_EQ(limit.Fail("a", 0), 0);
    EXPECT_EQ(limit.WaitLeft("a", 0), 0);
    EXPECT_EQ(limit.Fail("a", 10), 1000);
    EXPECT_EQ(limit.WaitLeft("a", 500), 510);
    EXPECT_EQ(limit.Fail("a", 2000), 2000);
    EXPECT_EQ(limit.Fail("a", 5000), 4000);
    EXPECT_EQ(limit.Fail("a", 9000), 5000);
    EXPECT_EQ(limit.WaitLeft("b", 9000), 0) << "keys are apart";
    limit.Succeed("a");
    EXPECT_EQ(limit.WaitLeft("a", 9000), 0);
    EXPECT_EQ(limit.Fail("a", 9000), 0) << "a success starts over";
    // A full table drops the records whose wait is over ("a", "x"), and keeps the waiting ones ("w").
    for (int i = 0; i < 3; ++i) {
        limit.Fail("w", 9000);
    }
    limit.Fail("x", 9000);
    limit.Fail("y", 9000);
    EXPECT_EQ(limit.WaitLeft("w", 9500), 500);
    limit.Fail("a", 9500);
    EXPECT_EQ(limit.Fail("a", 9500), 0) << "its earlier failure was forgotten";
}

TEST_F(ServerGuardTest, RememberedPasswordsAndGuessingLockouts) {
    Start("");
    const std::string other(40, 'c');
    ASSERT_EQ(Insert(kHash, "anna", "first"), 1);
    EXPECT_EQ(Insert(std::string(40, 'a'), "anna", "first"), 1);
    EXPECT_EQ(Metric("vtldb_remembered_password_checks_total"), 1) << "the second post skipped the slow check";
    EXPECT_EQ(Insert(other, "anna", "firsT"), 4) << "a wrong password never passes as remembered";

    // A password changed by the account command is refused at once, though remembered.
    ASSERT_EQ(ServerProcess::Run("--db '" + server_.database() + "' --set-password anna", "second\n"), 0);
    EXPECT_EQ(Insert(other, "anna", "first"), 4);
    // Three wrong passwords from this address: the third starts a wait of a second for the name and
    // the address, during which even the right password of an account that is not remembered fails.
    EXPECT_EQ(Insert(other, "carl", "guess"), 4);
    EXPECT_EQ(Metric("vtldb_lockouts_total"), 1) << "anna's two failures and this one";
    EXPECT_EQ(Insert(other, "carl", "carls"), 4);
    EXPECT_EQ(Metric("vtldb_refused_while_locked_total"), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(Insert(other, "carl", "carls"), 1) << "the wait is over";
    EXPECT_EQ(Insert(std::string(40, 'b'), "anna", "second"), 1);

    const std::string errors = FileText(errorLog_);
    EXPECT_NE(errors.find("password check failed user=carl peer=127.0.0.1"), std::string::npos) << errors;
    EXPECT_NE(errors.find("locked out user=carl"), std::string::npos) << errors;
    const std::string access = FileText(accessLog_);
    EXPECT_NE(access.find("127.0.0.1 POST /vtldb/insert.php 200 answer=1 "), std::string::npos) << access;
    for (const char* secret : {"first", "second", "carls", "guess"}) {
        EXPECT_EQ((access + errors).find(secret), std::string::npos) << secret << " was logged";
    }
    EXPECT_EQ(Metric("vtldb_requests_total{kind=\"insert\"}"), 8);
    EXPECT_EQ(Admin("/healthz"), "ok\n");
    struct stat status = {};
    if (ServerProcess::Postgres().empty()) {
        ASSERT_EQ(stat(folder_.File("ratings.db").c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
    }
}

TEST_F(ServerGuardTest, IdleConnectionsAndStreamedHeadersShutNobodyOut) {
    Start("--threads 4 --peer-connections 3");
    const auto honestQueriesAnswered = [this] {
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(QueryServer(network_, kHash), "0");
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        }
    };
    // Three times as many kept-alive connections as workers, idle after their first query: each is
    // answered, because an idle one gives its worker up to the next.
    std::vector<int> held;
    int answered = 0;
    for (int i = 0; i < 12; ++i) {
        const std::string source = "127.0.0." + std::to_string(2 + i % 4);
        held.push_back(ConnectFrom(source.c_str(), server_.port()));
        ASSERT_GE(held.back(), 0);
        answered += KeepAliveQuery(held.back()) ? 1 : 0;
    }
    EXPECT_EQ(answered, 12);
    honestQueriesAnswered();
    EXPECT_GT(Metric("vtldb_closed_idle_connections_total"), 0);
    // Connections that send nothing hold a worker until their time-out, but one address only three.
    for (int i = 0; i < 6; ++i) {
        held.push_back(ConnectFrom("127.0.0.9", server_.port()));
    }
    honestQueriesAnswered();
    EXPECT_EQ(Metric("vtldb_refused_connections_total"), 3);
    for (int connection : held) {
        close(connection);
    }

    // Header lines streamed as fast as they go are cut off long before a megabyte, and the server
    // does not grow.
    const long before = ResidentKilobytes(server_.pid());
    std::vector<std::thread> streams;
    for (int i = 0; i < 4; ++i) {
        streams.emplace_back([this] {
            const int connection = ConnectFrom("127.0.0.3", server_.port());
            std::string request = "GET /vtldb/query.php?hash=" + kHash + " HTTP/1.1\r\n";
            size_t sent = 0;
            const std::string header = "X-Filler: " + std::string(1000, 'h') + "\r\n";
            while (sent < 4 * 1024 * 1024 && send(connection, header.data(), header.size(), MSG_NOSIGNAL) > 0) {
                sent += header.size();
            }
            EXPECT_LT(sent, 4u * 1024 * 1024) << "the server took every header line";
            close(connection);
        });
    }
    for (std::thread& stream : streams) {
        stream.join();
    }
    EXPECT_LT(ResidentKilobytes(server_.pid()) - before, 20 * 1024);
    EXPECT_EQ(QueryServer(network_, kHash), "0");
}

TEST_F(ServerGuardTest, BusyKeptAliveConnectionsKeepTheirWorkersAndAnIdleOneGivesItsUp) {
    Start("--threads 2");
    // Two clients hold both workers, each sending its next query before it reads the last answer (so
    // a slow test machine cannot make them look idle); a third connection waits.
    const int busy[2] = {ConnectFrom("127.0.0.2", server_.port()), ConnectFrom("127.0.0.3", server_.port())};
    // Two requests that arrive in one piece are both answered at once, the second not only when more
    // bytes come or the connection times out.
    const std::string twice = "GET /vtldb/query.php?hash=" + kHash + " HTTP/1.1\r\nHost: x\r\n\r\n";
    ASSERT_EQ(send(busy[0], (twice + twice).data(), 2 * twice.size(), MSG_NOSIGNAL), 2 * twice.size());
    std::string answers;
    char buffer[4096];
    for (pollfd entry = {busy[0], POLLIN, 0}; Answers(answers) < 2;) {
        const ssize_t count = poll(&entry, 1, 2000) > 0 ? recv(busy[0], buffer, sizeof buffer, 0) : -1;
        ASSERT_GT(count, 0) << answers;
        answers.append(buffer, static_cast<size_t>(count));
    }
    std::atomic<bool> firstIdles{false};
    std::atomic<bool> stop{false};
    std::atomic<int> unanswered{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 2; ++i) {
        clients.emplace_back([&, i] {
            const auto sending = [&] { return !stop && !(i == 0 && firstIdles); };
            std::string received;
            size_t sent = 0;
            size_t answered = 0;
            while (sending() || answered < sent) {
                for (; sending() && sent < answered + 2; ++sent) {
                    SendQuery(busy[i]);
                }
                pollfd entry = {busy[i], POLLIN, 0};
                char buffer[4096];
                const ssize_t count = poll(&entry, 1, 2000) > 0 ? recv(busy[i], buffer, sizeof buffer, 0) : -1;
                if (count <= 0) {
                    ++unanswered;
                    return;
                }
                received.append(buffer, static_cast<size_t>(count));
                answered = Answers(received);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int waiting = ConnectFrom("127.0.0.4", server_.port());
    ASSERT_TRUE(SendQuery(waiting));
    EXPECT_FALSE(AnswerArrives(waiting, 1000)) << "a busy client gave its worker up between two queries";
    EXPECT_EQ(Metric("vtldb_closed_idle_connections_total"), 0);
    // Once the first client pauses, its connection gives its worker up to the waiting one.
    firstIdles = true;
    EXPECT_TRUE(AnswerArrives(waiting, 3000));
    stop = true;
    for (std::thread& client : clients) {
        client.join();
    }
    EXPECT_EQ(unanswered, 0);
    EXPECT_TRUE(ClosedByServer(busy[0]));
    EXPECT_EQ(Metric("vtldb_closed_idle_connections_total"), 1);
    for (int connection : {busy[0], busy[1], waiting}) {
        close(connection);
    }
}

// Posts of one account that arrive together pay one slow password check and share commits; each
// still gets the answer it would have had alone.
TEST_F(ServerGuardTest, SimultaneousPostsShareOnePasswordCheck) {
    Start("--threads 32");
    std::atomic<bool> go{false};
    std::atomic<int> stored{0};
    std::atomic<int> storedAlready{0};
    std::atomic<int> refused{0};
    std::vector<std::thread> posts;
    for (int i = 0; i < 24; ++i) {
        posts.emplace_back([&, i] {
            while (!go) {
                std::this_thread::yield();
            }
            if (i < 2) {
                refused += Insert(std::string(40, 'e'), "anna", "firsT") == 4 ? 1 : 0;
                return;
            }
            char own[41];
            std::snprintf(own, sizeof own, "%040x", i);
            stored += Insert(own, "anna", "first") == 1 ? 1 : 0;
            const int shared = Insert(kHash, "anna", "first");
            stored += shared == 1 ? 1 : 0;
            storedAlready += shared == 2 ? 1 : 0;
        });
    }
    go = true;
    for (std::thread& post : posts) {
        post.join();
    }
    EXPECT_EQ(refused, 2) << "a wrong password never takes the verdict of a right one";
    EXPECT_EQ(stored, 22 + 1);
    EXPECT_EQ(storedAlready, 21);
    EXPECT_GT(Metric("vtldb_shared_password_checks_total"), 0);
    std::string history;
    ASSERT_EQ(ServerProcess::Run("--db '" + server_.database() + "' --history anna", "", &history), 0);
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 23) << history;
}

}  // namespace

namespace {

TEST_F(ServerGuardTest, HistoryListsAndRevertsAnAccountsChanges) {
    // The configuration file names the access log; the command line's error log wins over the file's,
    // which could not be opened.
    const std::string configuration = folder_.File("vtldb.conf");
    std::ofstream(configuration) << "# test\n access-log = " << accessLog_ << "\nerror-log = /nonexistent/x.log\n";
    Start("--config '" + configuration + "' --error-log '" + errorLog_ + "'");
    const std::string database = "--db '" + server_.database() + "' ";
    const std::string h1(40, '1'), h2(40, '2'), h3(40, '3'), h4(40, '4');
    const std::string carls = BuildRatingProp(2, "carl's"), annas = BuildRatingProp(0, "anna's");
    ASSERT_EQ(InsertRating(network_, h2, carls, "carl", "carls"), 1);
    ASSERT_EQ(InsertRating(network_, h3, carls, "carl", "carls"), 1);
    ASSERT_EQ(InsertRating(network_, h1, annas, "anna", "first"), 1);
    ASSERT_EQ(UpdateRating(network_, h2, annas, "anna", "first"), 1);
    ASSERT_EQ(DeleteRating(network_, h3, "anna", "first"), 1);
    ASSERT_EQ(InsertRating(network_, h4, annas, "anna", "first"), 1);
    ASSERT_EQ(UpdateRating(network_, h4, carls, "carl", "carls"), 1);

    std::string output;
    ASSERT_EQ(ServerProcess::Run(database + "--history anna", "", &output), 0);
    EXPECT_NE(output.find(" " + h1 + " - " + annas + "\n"), std::string::npos) << output;
    EXPECT_NE(output.find(" " + h2 + " " + carls + " " + annas + "\n"), std::string::npos) << output;
    EXPECT_NE(output.find(" " + h3 + " " + carls + " -\n"), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 4);

    ASSERT_EQ(ServerProcess::Run(database + "--revert anna", "", &output), 0);
    EXPECT_EQ(output, "3 ratings restored, 1 changed by others since and kept\n");
    EXPECT_EQ(QueryServer(network_, h1), "0");
    EXPECT_EQ(QueryServer(network_, h2), h2 + carls);
    EXPECT_EQ(QueryServer(network_, h3), h3 + carls);
    EXPECT_EQ(QueryServer(network_, h4), h4 + carls);
    EXPECT_NE(FileText(accessLog_).find("GET /vtldb/query.php?hash=" + h4 + " 200"), std::string::npos);
}

TEST(RatingStoreLayout, AFileOfTheFirstLayoutGetsItsHistoryAndANewerOneIsRefused) {
    if (!ServerProcess::Postgres().empty()) {
        GTEST_SKIP() << "about SQLite files";
    }
    TemporaryFolder folder;
    const std::string old = folder.File("old.db"), newer = folder.File("newer.db");
    ASSERT_EQ(std::system(("sqlite3 '" + old +
                           "' \"CREATE TABLE ratings (hash TEXT PRIMARY KEY NOT NULL, prop TEXT NOT NULL, account TEXT "
                           "NOT NULL, changed INTEGER NOT NULL) WITHOUT ROWID; INSERT INTO ratings VALUES ('" +
                           std::string(40, 'a') + "', 'MnxCZW5jaG1hcmsgcmF0aW5n', 'x', 0); PRAGMA user_version = 1;\"")
                              .c_str()),
              0);
    ASSERT_EQ(std::system(("sqlite3 '" + newer + "' 'PRAGMA user_version = 3; CREATE TABLE t (x);'").c_str()), 0);
    std::string output;
    EXPECT_EQ(ServerProcess::Run("--db '" + old + "' --history x", "", &output), 0);
    EXPECT_EQ(CommandOutput("sqlite3 '" + old + "' 'PRAGMA user_version; SELECT count(*) FROM ratings'"), "2\n1\n");
    EXPECT_EQ(ServerProcess::Run("--db '" + newer + "' --list-accounts", ""), 1);
}

}  // namespace

namespace {

TEST(PostgresStore, QueriesGoToTheReadReplicaAndWritesToThePrimary) {
    if (ServerProcess::Postgres().empty()) {
        GTEST_SKIP() << "runs against the test PostgreSQL server";
    }
    TemporaryFolder folder;
    ServerProcess replica(folder.File("unused.db"));  // only its database: a stand-in for a replica
    ServerProcess server(folder.File("ratings.db"));
    ASSERT_EQ(server.AddAccount("anna", "pw"), 0);
    ASSERT_EQ(replica.AddAccount("someone", "pw"), 0) << "creates the replica's tables";
    ASSERT_TRUE(server.Start("--read-db '" + replica.database() + "'"));
    DatabaseServer address;
    address.host = "127.0.0.1";
    address.port = server.port();
    const RatingNetwork network = PosixRatingNetwork(address);
    const std::string prop = BuildRatingProp(2, "x");
    EXPECT_EQ(InsertRating(network, kHash, prop, "anna", "pw"), 1);
    EXPECT_EQ(QueryServer(network, kHash), "0") << "the replica has not got it";
    ASSERT_EQ(std::system(("psql -q '" + replica.database() + "' -c \"INSERT INTO ratings VALUES ('" + kHash + "', '" +
                           prop + "', 'anna', 0)\"")
                              .c_str()),
              0);
    EXPECT_EQ(QueryServer(network, kHash), kHash + prop);
    EXPECT_EQ(InsertRating(network, kHash, prop, "anna", "pw"), 2) << "the primary has it";
}

}  // namespace
