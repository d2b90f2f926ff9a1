#include "main/database/FileHash.h"

#include <cstdio>
#include <memory>
#include <vector>

std::string LowerHex(const unsigned char* bytes, size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string FileHash(const std::string& path, const Sha1Calls* calls) {
    if (calls == nullptr || !calls->init || !calls->update || !calls->final) {
        return std::string();
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return "0";
    }
    std::vector<unsigned char> context(kFileHashContextLength, 0);
    std::vector<unsigned char> block(kFileHashBlockLength);
    calls->init(context.data());
    for (;;) {
        const size_t count = std::fread(block.data(), 1, block.size(), file.get());
        if (count > 0) {
            calls->update(context.data(), block.data(), static_cast<unsigned int>(count));
        }
        if (count < block.size()) {
            break;
        }
    }
    unsigned char digest[kFileHashDigestLength] = {};
    calls->final(context.data(), digest);
    // A read error midway gives the hash of part of the file, which must not pass as the file's.
    return std::ferror(file.get()) ? "0" : LowerHex(digest, sizeof digest);
}
