#include "main/database/RatingExchange.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/main/database/PosixRatingNetwork.h"

namespace {

const std::string kHash = "a94a8fe5ccb19ba61c4c0873d391e987982fbbd3";

DatabaseServer Loopback(int port) {
    DatabaseServer server;
    server.host = "127.0.0.1";
    server.port = port;
    return server;
}

// Accepts one connection, reads the request, then answers with the pieces, pausing between them.
class OneShotServer {
public:
    explicit OneShotServer(std::vector<std::string> pieces, int pauseMilliseconds = 0) {
        listener_ = ListenOnLoopback(port_);
        thread_ = std::thread([this, pieces, pauseMilliseconds] {
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection < 0) {
                return;
            }
            char buffer[8192];
            const ssize_t count = recv(connection, buffer, sizeof buffer, 0);
            request_.assign(buffer, count > 0 ? static_cast<size_t>(count) : 0);
            for (size_t i = 0; i < pieces.size(); ++i) {
                if (i > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(pauseMilliseconds));
                }
                send(connection, pieces[i].data(), pieces[i].size(), MSG_NOSIGNAL);
            }
            close(connection);
        });
    }
    ~OneShotServer() {
        shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) {
            thread_.join();
        }
        close(listener_);
    }
    int port() const { return port_; }
    const std::string& request() {
        shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) {
            thread_.join();
        }
        return request_;
    }

private:
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::thread thread_;
};

TEST(RatingExchange, SendsTheRequestAndReadsTheAnswer) {
    OneShotServer server({"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n0"});
    const RatingNetwork network = PosixRatingNetwork(Loopback(server.port()));
    EXPECT_EQ(QueryServer(network, kHash), "0");
    EXPECT_EQ(server.request(), BuildRatingQueryRequest(network.server, kHash));
}

TEST(RatingExchange, ClosedPortGivesNoConnection) {
    int port = 0;
    const int listener = ListenOnLoopback(port);
    ASSERT_GE(listener, 0);
    close(listener);  // the port is free now, and nobody listens on it
    const RatingNetwork network = PosixRatingNetwork(Loopback(port));
    EXPECT_EQ(InsertRating(network, kHash, "MXw~", "a", "b"), kRatingNoConnection);
    EXPECT_EQ(QueryServer(network, kHash), "-2");
    const RatingNetwork unknownHost = PosixRatingNetwork(DatabaseServer{"no-such-host.invalid", 80});
    EXPECT_EQ(DeleteRating(unknownHost, kHash, "a", "b"), kRatingNoConnection);
}

TEST(RatingExchange, SilentServerGivesNoAnswerAfterFiveSeconds) {
    // The listener accepts connections into its backlog but never answers.
    int port = 0;
    const int listener = ListenOnLoopback(port);
    ASSERT_GE(listener, 0);
    const RatingNetwork network = PosixRatingNetwork(Loopback(port));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(UpdateRating(network, kHash, "MXw~", "a", "b"), kRatingNoAnswer);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(elapsed, 5000);
    EXPECT_LT(elapsed, 10000) << "gives up after its five seconds, give or take a busy machine";
    close(listener);
}

TEST(RatingExchange, AnAnswerInSeveralPiecesIsReadWholeUpToOneBlock) {
    // The body comes a second after the headers, as on a slow network.
    OneShotServer split({"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n", "1"}, 1000);
    EXPECT_EQ(InsertRating(PosixRatingNetwork(Loopback(split.port())), kHash, "MXw~", "a", "b"), 1);
    OneShotServer pieces({"HTTP/1.1 200 OK\r\n\r\n" + kHash + "MXxm", "aW5l", "IHByb2dyYW0~"}, 200);
    EXPECT_EQ(QueryServer(PosixRatingNetwork(Loopback(pieces.port())), kHash), kHash + "MXxmaW5lIHByb2dyYW0~");

    const std::string longBody(6000, 'x');
    OneShotServer large({"HTTP/1.1 200 OK\r\n\r\n" + longBody});  // more than the client takes
    const std::string body = QueryServer(PosixRatingNetwork(Loopback(large.port())), kHash);
    const std::string headers = "HTTP/1.1 200 OK\r\n\r\n";
    EXPECT_EQ(body.size(), kRatingAnswerBlockLength - headers.size()) << "one block, no more";
    EXPECT_EQ(body, longBody.substr(0, body.size()));
}

TEST(RatingExchange, ConnectionClosedWithoutAnAnswerGivesAnEmptyBody) {
    OneShotServer server({});
    const RatingNetwork network = PosixRatingNetwork(Loopback(server.port()));
    EXPECT_EQ(QueryServer(network, kHash), "");
}

}  // namespace
