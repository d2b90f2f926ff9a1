#pragma once
// What a refresh of the process list decides before it touches the window: the order it leaves
// the rows in, the window title of each process and the image of each executable.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The order a refresh asks for. A column of -1 and a direction of 0 keep the list's current ones
// (tree mode keeps them as asked); `given` when both were passed.
struct ProcessListOrder {
    int column;
    bool ascending;
    bool given;
};
ProcessListOrder RefreshOrder(int sortColumn,
                              int sortDirection,
                              bool treeView,
                              int currentColumn,
                              bool currentAscending);

// In tree mode the rows are sorted only when asked, the arrangement then ordering the siblings;
// a flat list is sorted by a valid column and otherwise only shown again.
enum class OrderStep { SortThenArrange, Arrange, SortList, ShowAgain };
OrderStep OrderStepFor(int column, bool given, bool treeView, size_t columnCount);

// Window styles that decide whether a top-level window names its process.
constexpr uint32_t kStyleVisible = 0x10000000;
constexpr uint32_t kStyleChild = 0x40000000;
constexpr uint32_t kStyleCaption = 0x00C00000;
constexpr uint32_t kStyleBorder = 0x00800000;
// A visible, framed window that no other window owns or contains.
bool NamesItsProcess(uint32_t style, bool owned, bool hasParent);

// The title of each process's first such window.
using WindowTitles = std::unordered_map<uint32_t, std::string>;
void AddWindowTitle(WindowTitles& titles, uint32_t pid, const std::string& title);
std::string WindowTitleOf(const WindowTitles& titles, uint32_t pid);

// The list's image of each running executable: one per path, however often it runs; every service
// host shows the same image of its own. The images of executables that stopped running are given
// to the next new ones, so the image list never outgrows the executables running at once.
struct ExecutableImages {
    std::unordered_map<std::string, int> ofPath;
    std::vector<int> freeImages;
    int generic = -1;
    int serviceHost = -1;
};
// The image of the path, loaded the first time through `load`, which gets a free image to replace
// or -1 to add one, and answers the image it filled (-1 when the file has none, which gives the
// generic image).
int ExecutableImage(ExecutableImages& images,
                    const std::string& path,
                    const std::function<int(const std::string& path, int reuse)>& load);
// Frees the images of the paths no process runs any more.
void ForgetUnusedImages(ExecutableImages& images, const std::unordered_set<std::string>& runningPaths);
