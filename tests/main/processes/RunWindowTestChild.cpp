// Started by the run window's tests: writes its working folder and its arguments into the file
// named by its first argument, inside that working folder, and ends.

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(folder), folder);
    std::string text = std::string(folder) + "\n";
    for (int i = 2; i < argc; ++i)
        text += std::string(argv[i]) + "\n";
    // Written under another name and renamed, so the test never reads half a file.
    std::string partial = std::string(argv[1]) + ".part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        return 3;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return MoveFileA(partial.c_str(), argv[1]) ? 0 : 4;
}
