#include "main/database/RatingNetwork_win.h"

#include <gtest/gtest.h>
#include <winsock.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "main/database/RatingLookup.h"
#include "tests/main/database/LoopbackListener_win.h"

namespace {

const std::string kHash = "a94a8fe5ccb19ba61c4c0873d391e987982fbbd3";

class Winsock : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(StartRatingNetwork()); }
};
const auto* const kWinsock = ::testing::AddGlobalTestEnvironment(new Winsock);

DatabaseServer Loopback(int port) {
    DatabaseServer server;
    server.host = "127.0.0.1";
    server.port = port;
    return server;
}

// Answers one connection with the given bytes and keeps the request.
struct CannedServer {
    explicit CannedServer(std::string answer) {
        listener = ListenOnLoopback(port);
        thread = std::thread([this, answer] {
            SOCKET connection = accept(listener, nullptr, nullptr);
            if (connection == INVALID_SOCKET) {
                return;
            }
            char buffer[8192];
            const int count = recv(connection, buffer, sizeof buffer, 0);
            request.assign(buffer, count > 0 ? count : 0);
            send(connection, answer.data(), static_cast<int>(answer.size()), 0);
            closesocket(connection);
        });
    }
    ~CannedServer() {
        closesocket(listener);
        Request();
    }
    const std::string& Request() {
        if (thread.joinable()) {
            thread.join();
        }
        return request;
    }
    SOCKET listener;
    int port = 0;
    std::string request;
    std::thread thread;
};

TEST(RatingNetworkWin, SendsTheRequestAndReadsTheAnswer) {
    const RatingNetwork network = WinsockRatingNetwork(Loopback(0), true);
    CannedServer server("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n0");
    RatingNetwork toServer = WinsockRatingNetwork(Loopback(server.port), true);
    EXPECT_EQ(QueryServer(toServer, kHash), "0");
    EXPECT_EQ(server.Request(), BuildRatingQueryRequest(toServer.server, kHash));
    EXPECT_EQ(QueryServer(network, kHash), "-2") << "port 0 takes no connection";
}

TEST(RatingNetworkWin, ForeignAnswersLeaveTheCacheAlone) {
    CannedServer server("HTTP/1.1 404 Not Found\r\n\r\n<html>Not here</html>");
    RatingDatabase database;
    database.network = WinsockRatingNetwork(Loopback(server.port), true);
    database.now = [] { return LocalEpochSeconds(std::time(nullptr)); };
    EXPECT_EQ(QueryRating(database, kHash, "x.exe"), 0);
    EXPECT_TRUE(database.cache.entries.empty());
}

TEST(RatingNetworkWin, ClosedPortAndMissingNetwork) {
    int port = 0;
    closesocket(ListenOnLoopback(port));
    EXPECT_EQ(InsertRating(WinsockRatingNetwork(Loopback(port), true), kHash, "MXw~", "a", "b"), kRatingNoConnection);
    EXPECT_EQ(InsertRating(WinsockRatingNetwork(Loopback(port), false), kHash, "MXw~", "a", "b"), kRatingNoNetwork);
    EXPECT_EQ(QueryServer(WinsockRatingNetwork(DatabaseServer{"no-such-host.invalid", 80}, true), kHash), "-2");
}

TEST(RatingNetworkWin, SilentServerGivesNoAnswerAfterFiveSeconds) {
    int port = 0;
    const SOCKET listener = ListenOnLoopback(port);  // takes connections into its backlog, never answers
    const DWORD start = GetTickCount();
    EXPECT_EQ(UpdateRating(WinsockRatingNetwork(Loopback(port), true), kHash, "MXw~", "a", "b"), kRatingNoAnswer);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 5000u);
    EXPECT_LT(elapsed, 10000u) << "gives up after its five seconds, give or take a busy machine";
    closesocket(listener);
}

// Against the real vtldb-server, which the test fixture started natively on loopback; its port and
// the test account are in the fixture's folder.
TEST(RatingNetworkWin, RoundTripsWithTheServer) {
    const char* folder = std::getenv("VTLDB_FIXTURE");
    std::ifstream portFile(folder ? std::string(folder) + "\\port" : std::string());
    int port = 0;
    if (!(portFile >> port) || port <= 0) {
        GTEST_SKIP() << "no vtldb-server running (build the native tree first)";
    }
    const std::string user = "tester";
    const std::string password = "pa&ss=w+rd";
    RatingDatabase database;
    database.network = WinsockRatingNetwork(Loopback(port), true);
    database.now = [] { return LocalEpochSeconds(std::time(nullptr)); };
    const RatingNetwork& network = database.network;
    const std::string hash = "0123456789abcdef0123456789abcdef0123" + std::to_string(1000 + GetTickCount() % 9000);
    EXPECT_EQ(DeleteRating(network, hash, user, password), 3) << "the hash is new";

    ASSERT_EQ(QueryRating(database, hash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.back().rating, 0);
    EXPECT_EQ(InsertRating(network, hash, BuildRatingProp(2, "Editor"), user, password), 1);
    ASSERT_EQ(QueryRating(database, hash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.back().rating, 2);
    EXPECT_EQ(database.cache.entries.back().description, "Editor");

    const std::string prop = BuildRatingProp(1, "ab");
    ASSERT_EQ(prop.substr(prop.size() - 2), "~~") << "\"1|ab\" ends in \"==\" in Base64";
    EXPECT_EQ(UpdateRating(network, hash, prop, user, password), 1);
    EXPECT_EQ(QueryServer(network, hash), hash + prop);
    ASSERT_EQ(QueryRating(database, hash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.back().rating, 1);
    EXPECT_EQ(database.cache.entries.back().description, "ab");

    EXPECT_EQ(UpdateRating(network, hash, prop, user, "wrong"), 4);
    EXPECT_EQ(DeleteRating(network, hash, user, password), 1);
    ASSERT_EQ(QueryRating(database, hash, "app.exe"), 1);
    EXPECT_EQ(database.cache.entries.back().rating, 0);
    EXPECT_EQ(database.cache.entries.size(), 1u);
}

}  // namespace
