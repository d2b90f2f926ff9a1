#pragma once
// A cache file around any payload, built with zlib and the program's key, so tests can hand the
// loader payloads that the writer would never produce.

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "main/database/RatingCacheFile.h"

inline std::string RatingCacheFileOf(const std::string& payload) {
    const uLong crc =
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()));
    std::string file;
    for (int shift = 0; shift < 32; shift += 8)
        file += static_cast<char>((crc >> shift) & 0xFF);
    const std::vector<uint8_t>& key = RatingCacheKey();
    for (size_t i = 0; i < payload.size(); ++i)
        file += static_cast<char>(static_cast<uint8_t>(payload[i]) + key[i % key.size()]);
    return file;
}
