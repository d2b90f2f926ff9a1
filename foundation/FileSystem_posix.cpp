#include "foundation/FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

const char kPathSeparator = '/';

bool FlushFileToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool CreateOneFolder(const std::string& folder) {
    return mkdir(folder.c_str(), 0777) == 0;
}

bool FileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

unsigned long CurrentProcessNumber() {
    return static_cast<unsigned long>(getpid());
}

std::vector<std::string> ListFolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return names;
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        struct stat status;
        std::string path = JoinPath(folder, name);
        if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
            names.push_back(name);
    }
    closedir(directory);
    return names;
}

long long FileAgeSeconds(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return -1;
    return static_cast<long long>(std::time(nullptr)) - static_cast<long long>(status.st_mtime);
}
