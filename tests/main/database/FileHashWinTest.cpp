#include "main/database/FileHash_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>

#include "main/LibraryTable_win.h"

namespace {

std::string TemporaryFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Files whose hashes sha1sum gave for the same bytes: byte i is (i * 131 + i / 256) mod 256.
TEST(FileHashWin, EqualsSha1sumThroughTheAdvapi32Slot) {
    const std::string path = TemporaryFile("vantrel-hash-test.bin");
    EXPECT_EQ(FileHash(path), "") << "without the advapi32 slot there is no hashing";

    ASSERT_NE(LoadLibrarySlot(kAdvapi32Slot, LibrarySlotName(kAdvapi32Slot)), nullptr);
    const std::pair<size_t, const char*> references[] = {
        {0, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {1, "5ba93c9db0cff93f52b521d7420e43f6eda2784f"},
        {32768, "8f0624d42c556fe0c3b7e0c1a64e7031d2a384c9"},
        {32769, "7f495ee3811b76389aa36ac7495a348c0ac71e53"},
        {5 * 1024 * 1024, "af378de2ddea4a94cdcc5e75efe00ab4f1d6bc18"},
    };
    for (const auto& [length, sha1] : references) {
        std::string bytes(length, '\0');
        for (size_t i = 0; i < length; ++i) {
            bytes[i] = static_cast<char>((i * 131 + (i >> 8)) & 0xFF);
        }
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(FileHash(path), sha1) << length << " bytes";
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(FileHash(path), "0") << "a missing file";
}

}  // namespace
