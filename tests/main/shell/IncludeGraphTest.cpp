// The main program's modules (Foo.h with Foo.cpp) include each other one way only. The shell is
// layered: start-up and loop, main window, dispatch, views, then the subsystems; a lower layer that
// starts to call a higher one closes a loop here.
#include <gtest/gtest.h>

#include <algorithm>
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

IncludeGraph ReadIncludeGraph(const fs::path& top, const std::string& folder) {
    IncludeGraph graph;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top / folder)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp")) {
            continue;
        }
        std::string module = fs::relative(path, top).replace_extension().generic_string();
        std::set<std::string>& includes = graph[module];
        std::ifstream file(path);
        for (std::string line; std::getline(file, line);) {
            std::string included = IncludedModule(line);
            if (!included.empty() && included != module) {
                includes.insert(included);
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
