#pragma once

#include <cstdint>

#include "main/database/RatingExchange.h"

// Winsock 1.1 under the rating exchange.

// WSAStartup for version 1.1, once at program start; false when the network layer is missing.
bool StartRatingNetwork();

RatingNetwork WinsockRatingNetwork(const DatabaseServer& server, bool started);

// GetTickCount widened to 64 bits.
int64_t ExtendedTickCount();
