// The main program's modules (Foo.h with Foo.cpp) include each other one way only. The shell is
// layered: start-up and loop, main window, dispatch, views, then the subsystems; a lower layer that
// starts to call a higher one closes a loop here, also when the call goes through a function that
// a file of the higher module defines for the lower one's header.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each module, by its path in the source tree without extension ("main/Views_win"), with the
// modules it includes.
using IncludeGraph = std::map<std::string, std::set<std::string>>;

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The function that a line at the outermost level names: the identifier before the first "(" of a
// line that starts with a type ("Type Name(...)"), not an assignment. Empty text otherwise.
std::string OutermostFunction(const std::string& line) {
    if (line.empty() || !(std::isalpha(static_cast<unsigned char>(line[0])) || line[0] == '_')) {
        return {};
    }
    size_t open = line.find('(');
    if (open == std::string::npos || line.find('=') < open) {
        return {};
    }
    size_t begin = open;
    while (begin > 0 && IsNameCharacter(line[begin - 1])) {
        --begin;
    }
    return line.substr(begin, open - begin);
}

// The module named by an #include "..." line, or empty text.
std::string IncludedModule(const std::string& line) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 1, "#") != 0) {
        return {};
    }
    size_t word = line.find_first_not_of(" \t", start + 1);
    if (word == std::string::npos || line.compare(word, 7, "include") != 0) {
        return {};
    }
    size_t open = line.find('"', word + 7);
    size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos) {
        return {};
    }
    std::string name = line.substr(open + 1, close - open - 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

struct SourceFile {
    std::string module;
    bool header = false;
    std::set<std::string> includes;
    // Functions a header declares, or a source file defines outside its anonymous namespaces.
    std::set<std::string> functions;
};

SourceFile ReadSourceFile(const fs::path& top, const fs::path& path) {
    SourceFile file;
    file.module = fs::relative(path, top).replace_extension().generic_string();
    file.header = path.extension() == ".h";
    std::ifstream stream(path);
    bool anonymous = false;
    for (std::string line; std::getline(stream, line);) {
        std::string included = IncludedModule(line);
        if (!included.empty() && included != file.module) {
            file.includes.insert(included);
        }
        if (line.rfind("namespace {", 0) == 0) {
            anonymous = true;
        } else if (line.rfind("}", 0) == 0 && line.find("// namespace") != std::string::npos) {
            anonymous = false;
        }
        std::string function = OutermostFunction(line);
        bool declarationOnly = line.find_last_not_of(" \t") == line.rfind(';');
        if (!function.empty() && !anonymous && (file.header || !declarationOnly)) {
            file.functions.insert(function);
        }
    }
    return file;
}

// A source file belongs to every module whose header declares a function it defines, so its
// includes are that module's includes too: a file that defines the functions of two modules' headers
// ties the two together, whatever its own name.
IncludeGraph ReadIncludeGraph(const fs::path& top, const std::string& folder) {
    std::map<std::string, SourceFile> headers;
    std::vector<SourceFile> sources;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top / folder)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp")) {
            continue;
        }
        SourceFile file = ReadSourceFile(top, path);
        if (file.header) {
            headers[file.module] = file;
        } else {
            sources.push_back(file);
        }
    }
    IncludeGraph graph;
    for (const auto& header : headers) {
        graph[header.first].insert(header.second.includes.begin(), header.second.includes.end());
    }
    for (const SourceFile& source : sources) {
        graph[source.module].insert(source.includes.begin(), source.includes.end());
        // What its own header declares is its own, even where another header has a namesake.
        std::set<std::string> others = source.functions;
        auto own = headers.find(source.module);
        if (own != headers.end()) {
            for (const std::string& function : own->second.functions) {
                others.erase(function);
            }
        }
        for (const std::string& included : source.includes) {
            auto header = headers.find(included);
            if (header == headers.end()) {
                continue;
            }
            const std::set<std::string>& declared = header->second.functions;
            bool defines = std::any_of(others.begin(), others.end(),
                                       [&](const std::string& function) { return declared.count(function) != 0; });
            if (!defines) {
                continue;
            }
            for (const std::string& module : source.includes) {
                if (module != included) {
                    graph[included].insert(module);
                }
            }
        }
    }
    return graph;
}

// A loop of modules with its first one repeated at the end, or nothing.
std::vector<std::string> FindIncludeLoop(const IncludeGraph& graph) {
    enum State { Unseen, OnPath, Finished };
    std::map<std::string, State> states;
    std::vector<std::string> path;
    std::function<bool(const std::string&)> visit = [&](const std::string& module) {
        states[module] = OnPath;
        path.push_back(module);
        for (const std::string& next : graph.at(module)) {
            if (graph.count(next) == 0) {
                continue;  // outside the folder
            }
            if (states[next] == OnPath) {
                path.erase(path.begin(), std::find(path.begin(), path.end(), next));
                path.push_back(next);
                return true;
            }
            if (states[next] == Unseen && visit(next)) {
                return true;
            }
        }
        states[module] = Finished;
        path.pop_back();
        return false;
    };
    for (const auto& module : graph) {
        if (states[module.first] == Unseen && visit(module.first)) {
            return path;
        }
    }
    return {};
}

TEST(IncludeGraph, MainProgramModulesIncludeEachOtherOneWayOnly) {
    const char* top = std::getenv("VANTREL_SOURCE");
    ASSERT_NE(top, nullptr);
    IncludeGraph graph = ReadIncludeGraph(top, "main");
    ASSERT_GT(graph.count("main/Startup_win"), 0u) << "the main program's files are read from " << top;
    ASSERT_GT(graph.at("main/Startup_win").count("main/MainWindow_win"), 0u) << "and their includes are seen";

    std::vector<std::string> loop = FindIncludeLoop(graph);
    std::string shown;
    for (const std::string& module : loop) {
        shown += (shown.empty() ? "" : " -> ") + module;
    }
    EXPECT_TRUE(loop.empty()) << "include loop: " << shown;
}

}  // namespace
