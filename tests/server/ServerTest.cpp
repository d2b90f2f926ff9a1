#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "main/database/RatingLookup.h"
#include "tests/main/database/DatabaseTestSupport.h"
#include "tests/main/database/PosixRatingNetwork.h"
#include "tests/server/ServerProcess.h"

namespace {

const std::string kHash = "0123456789abcdef0123456789abcdef01234567";
const std::string kUser = "anna";
const std::string kPassword = "s3cret&x=y+z%41";  // the client sends it as typed

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(server_.AddAccount(kUser, kPassword), 0);
        ASSERT_TRUE(server_.Start());
        network_ = Network();
    }

    RatingNetwork Network() const {
        DatabaseServer address;
        address.host = "127.0.0.1";
        address.port = server_.port();
        return PosixRatingNetwork(address);
    }

    // The raw answer of a hand-made request.
    std::string Exchange(const std::string& request) const {
        return AnswerBody(ExchangeRatingRequest(network_, request).received);
    }

    std::string Post(const std::string& path, const std::string& body) const {
        return Exchange("POST " + path + " HTTP/1.0\r\nHost: x\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\n\r\n" + body);
    }

    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(server_.port()) + path;
    }

    TemporaryFolder folder_;
    ServerProcess server_{folder_.File("ratings.db")};
    RatingNetwork network_;
};

TEST_F(ServerTest, ClientRoundTrips) {
    RatingDatabase database;
    database.network = network_;
    database.now = [] { return LocalEpochSeconds(std::time(nullptr)); };

    ASSERT_EQ(QueryRating(database, kHash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.at(0).rating, 0) << "an unknown hash is cached as unrated";

    EXPECT_EQ(InsertRating(network_, kHash, BuildRatingProp(2, "Text editor"), kUser, kPassword), 1);
    ASSERT_EQ(QueryRating(database, kHash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.at(0).rating, 2);
    EXPECT_EQ(database.cache.entries.at(0).description, "Text editor");

    // "1|ab" is "MXxhYg==" in Base64: it travels and is stored as "MXxhYg~~".
    EXPECT_EQ(UpdateRating(network_, kHash, BuildRatingProp(1, "ab"), kUser, kPassword), 1);
    EXPECT_EQ(QueryServer(network_, kHash), kHash + "MXxhYg~~");
    ASSERT_EQ(QueryRating(database, kHash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.at(0).rating, 1);
    EXPECT_EQ(database.cache.entries.at(0).known, 1);
    EXPECT_EQ(database.cache.entries.at(0).description, "ab");

    EXPECT_EQ(DeleteRating(network_, kHash, kUser, kPassword), 1);
    EXPECT_EQ(QueryServer(network_, kHash), "0");
    ASSERT_EQ(QueryRating(database, kHash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.at(0).rating, 0);
    EXPECT_EQ(database.cache.entries.size(), 1u);
}

TEST_F(ServerTest, RefusedPostsStoreNothing) {
    const std::string prop = BuildRatingProp(2, "kept");
    ASSERT_EQ(InsertRating(network_, kHash, prop, kUser, kPassword), 1);
    const std::string other(40, 'e');

    EXPECT_EQ(InsertRating(network_, kHash, BuildRatingProp(1, "again"), kUser, kPassword), 2);
    EXPECT_EQ(UpdateRating(network_, other, prop, kUser, kPassword), 3);
    EXPECT_EQ(DeleteRating(network_, other, kUser, kPassword), 3);
    EXPECT_EQ(UpdateRating(network_, kHash, BuildRatingProp(1, "x"), kUser, "wrong"), 4);
    EXPECT_EQ(DeleteRating(network_, kHash, kUser, kPassword + "x"), 4);
    EXPECT_EQ(InsertRating(network_, other, prop, "nobody", kPassword), 4);
    EXPECT_EQ(InsertRating(network_, "0123456789ABCDEF0123456789abcdef01234567", prop, kUser, kPassword), 5);
    EXPECT_EQ(InsertRating(network_, other, "not+base64", kUser, kPassword), 6);
    EXPECT_EQ(InsertRating(network_, other, BuildRatingProp(7, "rating out of range"), kUser, kPassword), 6);
    EXPECT_EQ(PostResult(Post("/vtldb/insert.php", "hash=" + other + "&username=" + kUser)), 7);
    EXPECT_EQ(PostResult(Post("/vtldb/delete.php", "")), 7);

    EXPECT_EQ(QueryServer(network_, kHash), kHash + prop);
    EXPECT_EQ(QueryServer(network_, other), "0");
    EXPECT_EQ(QueryServer(network_, "ABC"), "5");
    EXPECT_EQ(Exchange("GET /vtldb/query.php HTTP/1.0\r\n\r\n"), "7");
}

TEST_F(ServerTest, CurlGetsTheSameAnswers) {
    const std::string prop = BuildRatingProp(1, "ab");
    const std::string form = "hash=" + kHash + "&prop=" + prop + "&username=" + kUser + "&password=" + kPassword;
    const std::string curl = "curl -s -0 -A vantreldbgnt -H 'Content-Type: application/x-www-form-urlencoded' ";
    const std::string query = "curl -s '" + Url("/vtldb/query.php?hash=" + kHash) + "'";

    EXPECT_EQ(CommandOutput(query), "0");
    EXPECT_EQ(CommandOutput(query), QueryServer(network_, kHash));
    EXPECT_EQ(CommandOutput(curl + "--data-binary '" + form + "' " + Url("/vtldb/insert.php")), "1");
    EXPECT_EQ(CommandOutput(query), kHash + prop);
    EXPECT_EQ(CommandOutput(query), QueryServer(network_, kHash));
    EXPECT_EQ(CommandOutput(curl + "--data-binary '" + form + "' " + Url("/vtldb/insert.php")),
              std::to_string(InsertRating(network_, kHash, prop, kUser, kPassword)));
    EXPECT_EQ(CommandOutput(curl + "--data-binary '" + form + "' " + Url("/vtldb/update.php")), "1");
    const std::string deleteForm = "hash=" + kHash + "&username=" + kUser + "&password=" + kPassword;
    EXPECT_EQ(CommandOutput(curl + "--data-binary '" + deleteForm + "' " + Url("/vtldb/delete.php")), "1");
    EXPECT_EQ(CommandOutput(curl + "--data-binary '" + deleteForm + "' " + Url("/vtldb/delete.php")),
              std::to_string(DeleteRating(network_, kHash, kUser, kPassword)));
    EXPECT_EQ(CommandOutput(query), "0");
}

TEST_F(ServerTest, EachAnswerArrivesInOneBlock) {
    // Read the moment anything arrives, as the client's polling may: headers and body come together.
    const std::string post = BuildRatingPostRequest(RatingPost::Insert, network_.server, kHash, BuildRatingProp(1, "x"),
                                                    kUser, "wrong password");
    const std::string query = BuildRatingQueryRequest(network_.server, kHash);
    for (int i = 0; i < 40; ++i) {
        const std::string& request = i % 4 == 0 ? post : query;
        const intptr_t socket = network_.connect(network_.server.host, network_.server.port);
        ASSERT_GE(socket, 0);
        ASSERT_TRUE(network_.send(socket, request));
        while (!network_.readable(socket)) {
            std::this_thread::yield();
        }
        const std::string block = network_.receive(socket, kRatingAnswerBlockLength);
        network_.close(socket);
        EXPECT_EQ(AnswerBody(block), &request == &post ? "4" : "0") << block;
    }
}

TEST_F(ServerTest, HostileRequestsDoNotHurtTheServer) {
    EXPECT_EQ(CommandOutput("curl -s -o /dev/null -w '%{http_code}' " + Url("/vtldb/other.php")), "404");
    const std::string huge(200000, 'a');
    EXPECT_NE(PostResult(Post("/vtldb/insert.php", "hash=" + kHash + "&prop=" + huge + "&username=a&password=b")), 1);
    EXPECT_NE(PostResult(Exchange(std::string(9000, 'G') + "\r\n\r\n")), 1);
    EXPECT_NE(PostResult(Exchange(std::string("\0\xFF\r\n\r\n\r\n", 8))), 1);
    EXPECT_EQ(QueryServer(network_, std::string(5000, 'f')), "5");
    // Still serving.
    EXPECT_EQ(QueryServer(network_, kHash), "0");
}

TEST_F(ServerTest, ARequestTricklingInIsCutOffAfterTenSeconds) {
    // One byte every half second keeps each read within its time-out, but not the whole request.
    const int connection = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(connection, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(server_.port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string request = "GET /vtldb/query.php?hash=" + kHash + " HTTP/1.0\r\nX-Slow: ";
    const auto start = std::chrono::steady_clock::now();
    bool cut = false;
    for (size_t i = 0; !cut && std::chrono::steady_clock::now() - start < std::chrono::seconds(25); ++i) {
        char byte = i < request.size() ? request[i] : 'x';
        if (send(connection, &byte, 1, MSG_NOSIGNAL) != 1)
            cut = true;
        // Anything to read is an error page or the close: either way the server has let go.
        pollfd entry = {connection, POLLIN, 0};
        if (poll(&entry, 1, 500) > 0)
            cut = true;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    close(connection);
    EXPECT_TRUE(cut) << "still reading after " << seconds.count() << " s";
    EXPECT_LE(seconds.count(), 16);
    EXPECT_EQ(QueryServer(network_, kHash), "0") << "and it still serves";
}

TEST_F(ServerTest, EveryAnsweredInsertSurvivesAKill) {
    // Several writers, so the kill finds inserts at every stage.
    std::atomic<bool> stop{false};
    std::mutex answeredLock;
    std::vector<std::string> answered;
    std::vector<std::thread> writers;
    for (int writer = 0; writer < 4; ++writer) {
        writers.emplace_back([&, writer] {
            for (int i = 0; !stop; ++i) {
                char hash[41];
                std::snprintf(hash, sizeof hash, "%08x%032x", writer, i);
                const std::string prop = BuildRatingProp(2, "insert " + std::to_string(i));
                if (InsertRating(network_, hash, prop, kUser, kPassword) == 1) {
                    std::lock_guard<std::mutex> lock(answeredLock);
                    answered.push_back(hash);
                }
            }
        });
    }
    // Kill once a few inserts have been answered, however slow the machine is (each insert checks a
    // password with a deliberately slow hash); the writers are then mid-stream.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(answeredLock);
            if (answered.size() >= 6) {
                break;
            }
        }
        if (std::chrono::steady_clock::now() > deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const int status = server_.Stop(SIGKILL);
    stop = true;
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ASSERT_GT(answered.size(), 3u);
    std::printf("%zu inserts answered before the kill\n", answered.size());

    ASSERT_TRUE(server_.Start());
    const RatingNetwork restarted = Network();
    for (const std::string& hash : answered) {
        EXPECT_EQ(QueryServer(restarted, hash).substr(0, 40), hash);
    }
}

TEST_F(ServerTest, TerminationIsOrderly) {
    const int status = server_.Stop(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // Also when the signal comes the moment the server has announced its port, before it listens.
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(server_.Start());
        const int early = server_.Stop(SIGTERM);
        EXPECT_TRUE(WIFEXITED(early) && WEXITSTATUS(early) == 0) << "round " << round << ": " << early;
    }
}

TEST_F(ServerTest, AccountCommands) {
    const std::string db = "--db '" + server_.database() + "' ";
    EXPECT_EQ(server_.AddAccount(kUser, "other"), 1) << "an account exists once";
    EXPECT_EQ(server_.AddAccount("bob", "first"), 0);
    EXPECT_EQ(server_.AddAccount("with blank", "pw"), 2);
    EXPECT_EQ(server_.AddAccount("carl", ""), 2);
    std::string names;
    EXPECT_EQ(ServerProcess::Run(db + "--list-accounts", "", &names), 0);
    EXPECT_EQ(names, "anna\nbob\n");

    EXPECT_EQ(InsertRating(network_, kHash, BuildRatingProp(1, "b"), "bob", "first"), 1);
    EXPECT_EQ(ServerProcess::Run(db + "--set-password bob", "second\n"), 0);
    EXPECT_EQ(UpdateRating(network_, kHash, BuildRatingProp(2, "b"), "bob", "first"), 4);
    EXPECT_EQ(UpdateRating(network_, kHash, BuildRatingProp(2, "b"), "bob", "second"), 1);
    EXPECT_EQ(ServerProcess::Run(db + "--set-password nobody", "x\n"), 1);
    EXPECT_EQ(ServerProcess::Run(db + "--remove-account bob", ""), 0);
    EXPECT_EQ(ServerProcess::Run(db + "--remove-account bob", ""), 1);
    EXPECT_EQ(DeleteRating(network_, kHash, "bob", "second"), 4);
    EXPECT_EQ(ServerProcess::Run("--list-accounts", ""), 2) << "no database named";

    // Only a salted slow hash of a password reaches the store.
    const bool sqlite = ServerProcess::Postgres().empty();
    const std::string select = "'SELECT password_hash FROM accounts'";
    const std::string dump = CommandOutput(sqlite ? "sqlite3 '" + folder_.File("ratings.db") + "' " + select
                                                  : "psql -At '" + server_.database() + "' -c " + select);
    EXPECT_EQ(dump.rfind("$argon2id$", 0), 0u) << dump;
    EXPECT_EQ(dump.find(kPassword), std::string::npos);
    if (sqlite) {
        EXPECT_EQ(CommandOutput("sqlite3 '" + folder_.File("ratings.db") + "' 'PRAGMA journal_mode'"), "wal\n");
    }
}

TEST(ServerStart, RefusesAFileThatIsNoDatabase) {
    if (!ServerProcess::Postgres().empty()) {
        GTEST_SKIP() << "about SQLite files";
    }
    TemporaryFolder folder;
    WriteWholeFile(folder.File("broken.db"), std::string(4096, 'x'));
    ServerProcess server(folder.File("broken.db"));
    EXPECT_FALSE(server.Start());
    EXPECT_EQ(ServerProcess::Run("--listen 127.0.0.1:0", ""), 2) << "no database named";
}

}  // namespace
