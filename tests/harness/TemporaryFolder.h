#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Its name is the prefix and a random number.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix = "vantrel-test-") {
        std::random_device random;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = base / (prefix + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = candidate;
                return;
            }
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        // Windows refuses to delete a read-only file, and a test may have made one.
        for (std::filesystem::recursive_directory_iterator entry(path_, ignored), end; entry != end;
             entry.increment(ignored))
            std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    size_t EntryCount() const {
        size_t count = 0;
        for (auto it = std::filesystem::directory_iterator(path_); it != std::filesystem::directory_iterator(); ++it)
            ++count;
        return count;
    }

private:
    std::filesystem::path path_;
};
