#pragma once

#include <httplib.h>

#include <string>

// cpp-httplib's server with one change: each response leaves in a single send. The Vantrel client
// reads only the first block that arrives, so headers sent apart from the body would leave it with
// an empty answer whenever it looks in between.
class RatingHttpServer : public httplib::Server {
private:
    bool process_and_close_socket(socket_t sock) override;
};
