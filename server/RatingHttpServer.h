#pragma once

#include <httplib.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>

// cpp-httplib's server with these changes:
// - each response leaves in a single send: the Vantrel client reads only the first block that
//   arrives, so headers sent apart from the body would leave it with an empty answer whenever it
//   looks in between;
// - a request is bounded in bytes as well as in time, so streamed headers cannot grow the server;
// - one peer address holds at most `peerConnections` connections at once;
// - a keep-alive connection waiting for its next request gives its worker up as soon as another
//   connection waits for one, so idle connections never shut other clients out.
class RatingHttpServer : public httplib::Server {
public:
    RatingHttpServer(size_t threads, size_t peerConnections);
    ~RatingHttpServer() override;

    // After binding: room for a burst of connections in the kernel's queue (the library asks for 5,
    // and connections beyond it wait out a retransmitted SYN, a second or more).
    void WidenBacklog();

    // Microseconds since the request this thread serves began to arrive.
    static uint64_t RequestMicroseconds();

private:
    bool process_and_close_socket(socket_t sock) override;
    // Waits for the next request on the connection: false when the connection should end (closed,
    // timed out, server stopping, or - when `idle` - another connection waits for a worker).
    bool WaitForRequest(int sock, bool idle);
    bool EnterPeer(const std::string& peer);
    void LeavePeer(const std::string& peer);

    size_t peerConnections_;
    std::mutex peersLock_;
    std::map<std::string, size_t> peers_;
    std::atomic<int> waiting_{0};  // accepted connections no worker has taken yet
    int wake_ = -1;                // eventfd that tells idle connections somebody waits
};
