#pragma once

#include <string>

#include "main/database/RatingExchange.h"

// The rating exchange over POSIX sockets, so native tests talk to real servers on loopback the
// way the program does through Winsock.
RatingNetwork PosixRatingNetwork(const DatabaseServer& server);

// A listening loopback socket on a free port; returns the socket and sets the port.
int ListenOnLoopback(int& port);
