#include "main/processes/ProcessListRefresh.h"

#include "foundation/FileSystem.h"

ProcessListOrder RefreshOrder(int sortColumn,
                              int sortDirection,
                              bool treeView,
                              int currentColumn,
                              bool currentAscending) {
    bool given = sortColumn != -1 && sortDirection != 0;
    if (!treeView) {
        if (sortColumn == -1)
            sortColumn = currentColumn;
        if (sortDirection == 0)
            sortDirection = currentAscending ? 1 : -1;
    }
    return {sortColumn, sortDirection > 0, given};
}

OrderStep OrderStepFor(int column, bool given, bool treeView, size_t columnCount) {
    if (treeView)
        return given ? OrderStep::SortThenArrange : OrderStep::Arrange;
    if (column >= 0 && static_cast<size_t>(column) < columnCount)
        return OrderStep::SortList;
    return OrderStep::ShowAgain;
}

bool NamesItsProcess(uint32_t style, bool owned, bool hasParent) {
    return !owned && !hasParent && (style & kStyleVisible) && !(style & kStyleChild) &&
           (style & (kStyleCaption | kStyleBorder));
}

void AddWindowTitle(WindowTitles& titles, uint32_t pid, const std::string& title) {
    if (pid != 0 && !title.empty())
        titles.emplace(pid, title);  // the first window of a process wins
}

std::string WindowTitleOf(const WindowTitles& titles, uint32_t pid) {
    auto found = titles.find(pid);
    return found == titles.end() ? std::string() : found->second;
}

int ExecutableImage(ExecutableImages& images,
                    const std::string& path,
                    const std::function<int(const std::string& path, int reuse)>& load) {
    if (FileNameOfPath(path) == "svchost.exe")
        return images.serviceHost;
    auto known = images.ofPath.find(path);
    if (known != images.ofPath.end())
        return known->second;
    int reuse = images.freeImages.empty() ? -1 : images.freeImages.back();
    int image = path.empty() ? -1 : load(path, reuse);
    if (image >= 0 && image == reuse)
        images.freeImages.pop_back();
    if (image < 0)
        image = images.generic;
    images.ofPath.emplace(path, image);
    return image;
}

void ForgetUnusedImages(ExecutableImages& images, const std::unordered_set<std::string>& runningPaths) {
    for (auto entry = images.ofPath.begin(); entry != images.ofPath.end();) {
        if (runningPaths.count(entry->first) != 0) {
            ++entry;
            continue;
        }
        // The shared images stay for whoever shows them next.
        if (entry->second != images.generic && entry->second != images.serviceHost)
            images.freeImages.push_back(entry->second);
        entry = images.ofPath.erase(entry);
    }
}
