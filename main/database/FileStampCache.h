#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Results worked out from a file's contents (its hash, its icon), kept for the run of the program
// and trusted while the file keeps its path, size and last-write time. Reading a large file once per
// refresh of a list is what this saves. Portable; the Win32 side reads the stamps.

struct FileStamp {
    std::string path;
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // FILETIME as one number
};

// One result per path: a new stamp replaces the entry of the old one. The cache forgets everything
// once it holds this many paths, which bounds it on systems with churning files.
constexpr size_t kFileStampCacheLimit = 4096;

struct FileStampCache {
    struct Entry {
        uint64_t size = 0;
        uint64_t lastWrite = 0;
        std::string value;
    };
    std::unordered_map<std::string, Entry> entries;  // by path, letter case folded
};

// The value remembered for the file with this stamp, or nullptr.
const std::string* FindCachedValue(const FileStampCache& cache, const FileStamp& stamp);
void RememberCachedValue(FileStampCache& cache, const FileStamp& stamp, const std::string& value);
