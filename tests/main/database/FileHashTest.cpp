#include "main/database/FileHash.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstring>
#include <random>

#include "tests/main/database/DatabaseTestSupport.h"

namespace {

// SHA-1 calls shaped like advapi32's, backed by OpenSSL; the context block holds the OpenSSL context.
Sha1Calls OpenSslCalls(std::vector<unsigned int>* updates) {
    Sha1Calls calls;
    calls.init = [](unsigned char* context) {
        EVP_MD_CTX* digest = EVP_MD_CTX_new();
        EVP_DigestInit_ex(digest, EVP_sha1(), nullptr);
        std::memcpy(context, &digest, sizeof digest);
    };
    calls.update = [updates](unsigned char* context, const unsigned char* data, unsigned int length) {
        EVP_MD_CTX* digest;
        std::memcpy(&digest, context, sizeof digest);
        EVP_DigestUpdate(digest, data, length);
        updates->push_back(length);
    };
    calls.final = [](unsigned char* context, unsigned char* result) {
        EVP_MD_CTX* digest;
        std::memcpy(&digest, context, sizeof digest);
        EVP_DigestFinal_ex(digest, result, nullptr);
        EVP_MD_CTX_free(digest);
    };
    return calls;
}

TEST(FileHash, EqualsSha1sumInBlocksOf32Kilobytes) {
    TemporaryFolder folder;
    std::mt19937 random(11);
    for (size_t length : {size_t{0}, size_t{1}, size_t{32768}, size_t{32769}, size_t{5 * 1024 * 1024}}) {
        std::string bytes(length, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() & 0xFF);
        }
        const std::string path = folder.File("file" + std::to_string(length));
        WriteWholeFile(path, bytes);
        const std::string reference = CommandOutput("sha1sum '" + path + "'").substr(0, 40);
        ASSERT_EQ(reference.size(), 40u) << "sha1sum is missing";

        std::vector<unsigned int> updates;
        const Sha1Calls calls = OpenSslCalls(&updates);
        EXPECT_EQ(FileHash(path, &calls), reference) << length << " bytes";
        size_t total = 0;
        for (size_t i = 0; i < updates.size(); ++i) {
            total += updates[i];
            if (i + 1 < updates.size()) {
                EXPECT_EQ(updates[i], kFileHashBlockLength);
            }
        }
        EXPECT_EQ(total, length);
        EXPECT_EQ(updates.size(), (length + kFileHashBlockLength - 1) / kFileHashBlockLength);
    }
}

TEST(FileHash, EmptyFileHasTheHashOfNoData) {
    TemporaryFolder folder;
    WriteWholeFile(folder.File("empty"), "");
    std::vector<unsigned int> updates;
    const Sha1Calls calls = OpenSslCalls(&updates);
    EXPECT_EQ(FileHash(folder.File("empty"), &calls), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

TEST(FileHash, UnreadableFileIsZeroAndMissingHashingIsEmpty) {
    TemporaryFolder folder;
    std::vector<unsigned int> updates;
    const Sha1Calls calls = OpenSslCalls(&updates);
    EXPECT_EQ(FileHash(folder.File("missing.exe"), &calls), "0");
    EXPECT_EQ(FileHash(folder.Path(), &calls), "0") << "a folder opens but cannot be read";
    WriteWholeFile(folder.File("present"), "x");
    EXPECT_EQ(FileHash(folder.File("present"), nullptr), "");
    const Sha1Calls none;
    EXPECT_EQ(FileHash(folder.File("present"), &none), "");
}

TEST(FileHash, HexIsLowerCase) {
    const unsigned char bytes[] = {0x00, 0x0F, 0xA0, 0xFF};
    EXPECT_EQ(LowerHex(bytes, sizeof bytes), "000fa0ff");
}

}  // namespace
