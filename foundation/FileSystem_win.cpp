#include "foundation/FileSystem.h"

#include <windows.h>

#include <io.h>

#include "foundation/ScopedHandles_win.h"

const char kPathSeparator = '\\';

bool FlushFileToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // The other program may have the file open for a moment while it reads it; retry briefly.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        Sleep(20);
    }
    return false;
}

bool CreateOneFolder(const std::string& folder) {
    return CreateDirectoryA(folder.c_str(), nullptr) != 0;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

unsigned long CurrentProcessNumber() {
    return GetCurrentProcessId();
}

std::vector<std::string> ListFolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    ScopedFileSearch search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!search.valid())
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

long long FileAgeSeconds(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(now) - ticks(data.ftLastWriteTime)) / 10000000;
}
