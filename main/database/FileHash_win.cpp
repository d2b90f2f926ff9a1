#include "main/database/FileHash_win.h"

#include <windows.h>

#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/database/FileHash.h"
#include "main/database/FileStampCache.h"

namespace {

using ShaInit = void(WINAPI*)(void* context);
using ShaUpdate = void(WINAPI*)(void* context, const unsigned char* data, unsigned int length);
using ShaFinal = void(WINAPI*)(void* context, unsigned char* digest);

FileStampCache g_hashes;

}  // namespace

std::string FileHash(const std::string& path) {
    if (!IsSlotOpen(kAdvapi32Slot)) {
        return std::string();
    }
    const auto init = SlotFunctionAs<ShaInit>(kAdvapi32Slot, "A_SHAInit");
    const auto update = SlotFunctionAs<ShaUpdate>(kAdvapi32Slot, "A_SHAUpdate");
    const auto final = SlotFunctionAs<ShaFinal>(kAdvapi32Slot, "A_SHAFinal");
    if (init == nullptr || update == nullptr || final == nullptr) {
        return std::string();
    }
    Sha1Calls calls;
    calls.init = [init](unsigned char* context) { init(context); };
    calls.update = [update](unsigned char* context, const unsigned char* data, unsigned int length) {
        update(context, data, length);
    };
    calls.final = [final](unsigned char* context, unsigned char* digest) { final(context, digest); };
    SystemFileAccess access(path);
    return FileHash(access.path, &calls);
}

bool ReadFileStamp(const std::string& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SystemFileAccess access(path);
    if (path.empty() || !GetFileAttributesExA(access.path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    stamp.path = path;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::string CachedFileHash(const std::string& path) {
    FileStamp stamp;
    if (!ReadFileStamp(path, stamp)) {
        return FileHash(path);
    }
    if (const std::string* known = FindCachedValue(g_hashes, stamp)) {
        return *known;
    }
    std::string hash = FileHash(path);
    // An unreadable file or missing SHA-1 calls may read differently next time.
    if (hash.size() == 2 * kFileHashDigestLength) {
        RememberCachedValue(g_hashes, stamp, hash);
    }
    return hash;
}
