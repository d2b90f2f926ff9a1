#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

// A folder of its own for each test, removed with everything in it afterwards.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder() {
        char pattern[] = "/tmp/vantrel-database-XXXXXX";
        path = mkdtemp(pattern) ? pattern : "";
    }
    ~TemporaryFolder() {
        if (!path.empty()) {
            std::system(("rm -rf '" + path + "'").c_str());
        }
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
};

inline std::string FileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool PathExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

// Runs a shell command and returns what it printed.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, count);
        }
        pclose(pipe);
    }
    return output;
}
