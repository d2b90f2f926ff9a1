#pragma once

#include <functional>
#include <string>

// The SHA-1 of a file as the key of its rating. The hashing itself comes from the system
// (advapi32's A_SHAInit, A_SHAUpdate, A_SHAFinal), so it is passed in.

constexpr size_t kFileHashContextLength = 512;
constexpr size_t kFileHashBlockLength = 32768;
constexpr size_t kFileHashDigestLength = 20;

struct Sha1Calls {
    std::function<void(unsigned char* context)> init;
    std::function<void(unsigned char* context, const unsigned char* data, unsigned int length)> update;
    std::function<void(unsigned char* context, unsigned char* digest)> final;
};

// 40 lower-case hexadecimal digits; "0" when the file cannot be read; empty text without SHA-1 calls.
std::string FileHash(const std::string& path, const Sha1Calls* calls);

std::string LowerHex(const unsigned char* bytes, size_t length);
