#include "foundation/FileSystem.h"

#include <cstdio>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// A temporary file of `name`'s writes: the name, a process number, ".tmp".
bool IsTemporaryOf(const std::string& file, const std::string& name) {
    const std::string suffix = ".tmp";
    if (file.size() <= name.size() + 1 + suffix.size() || file.compare(0, name.size(), name) != 0 ||
        file[name.size()] != '.' || file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t i = name.size() + 1; i < file.size() - suffix.size(); ++i) {
        if (file[i] < '0' || file[i] > '9')
            return false;
    }
    return true;
}

// Temporaries of earlier writes that never reached their rename (a crash, a power cut) hold what the
// file held, the settings' account password included, so the next write of the file removes them.
// A young one may be the other program's write in progress and is left alone.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string name = FileNameOfPath(path);
    const std::string folder = path.substr(0, path.size() - name.size());
    for (const std::string& file : ListFolderFiles(folder.empty() ? std::string(".") : folder)) {
        if (IsTemporaryOf(file, name) && FileAgeSeconds(folder + file) >= kStaleTemporarySeconds)
            std::remove((folder + file).c_str());
    }
}

}  // namespace

std::string FileNameOfPath(std::string_view path) {
    size_t separator = path.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string FolderOfPath(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos || slash + 1 == path.size() ? std::string() : path.substr(0, slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    std::string path = folder;
    if (!IsSeparator(path.back()))
        path += kPathSeparator;
    return path + name;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    // Refuse an oversized file before reading it; a size that cannot be told (beyond what ftell
    // reports) counts as oversized too. The read loop below still stops at the limit.
    if (std::fseek(file, 0, SEEK_END) != 0) {
        std::fclose(file);
        return false;
    }
    long size = std::ftell(file);
    if (size < 0 || static_cast<unsigned long>(size) > kMaximumReadLength || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return false;
    }
    std::string content;
    content.reserve(static_cast<size_t>(size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        size_t count = std::fread(buffer, 1, sizeof buffer, file);
        if (content.size() + count > kMaximumReadLength) {
            ok = false;
            break;
        }
        content.append(buffer, count);
        if (count < sizeof buffer) {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    if (ok)
        bytes = std::move(content);
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    // The process number keeps two programs saving at the same moment off each other's temporary file.
    RemoveStaleTemporaries(path);
    std::string temporary = path + "." + std::to_string(CurrentProcessNumber()) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // On the disk before the rename, so that even a power cut leaves the old or the new file.
    ok = ok && FlushFileToDisk(file);
    ok = std::fclose(file) == 0 && ok;
    if (ok)
        ok = ReplaceFileWith(temporary, path);
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

bool CreateFolderPath(const std::string& folder) {
    if (folder.empty())
        return false;
    if (IsFolder(folder))
        return true;
    // Create each missing level from the top down; a failure in the middle shows in the final check.
    for (size_t i = 1; i < folder.size(); ++i) {
        if (IsSeparator(folder[i]) && !IsSeparator(folder[i - 1]) && folder[i - 1] != ':') {
            std::string level = folder.substr(0, i);
            if (!IsFolder(level))
                CreateOneFolder(level);
        }
    }
    CreateOneFolder(folder);
    return IsFolder(folder);
}
