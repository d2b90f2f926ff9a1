#include "main/database/FileStampCache.h"

#include <cctype>

namespace {

// Windows file names ignore letter case.
std::string PathKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

}  // namespace

const std::string* FindCachedValue(const FileStampCache& cache, const FileStamp& stamp) {
    auto found = cache.entries.find(PathKey(stamp.path));
    if (found == cache.entries.end() || found->second.size != stamp.size ||
        found->second.lastWrite != stamp.lastWrite) {
        return nullptr;
    }
    return &found->second.value;
}

void RememberCachedValue(FileStampCache& cache, const FileStamp& stamp, const std::string& value) {
    std::string key = PathKey(stamp.path);
    if (cache.entries.size() >= kFileStampCacheLimit && cache.entries.count(key) == 0) {
        cache.entries.clear();
    }
    cache.entries[key] = {stamp.size, stamp.lastWrite, value};
}
