// Prints the version texts of a file, one field per line as "Name: text", for the comparison with
// exiftool in file_version_exiftool.sh.
#include <cstdio>

#include "main/FileVersionInfo_win.h"
#include "main/LibraryTable_win.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    OpenLibraryTable();
    for (unsigned bit = 0x0001; bit <= 0x0800; bit <<= 1) {
        std::string text = FileVersionText(argv[1], bit, false);
        if (!text.empty()) {
            std::printf("%s: %s\n", VersionFieldName(bit).c_str(), text.c_str());
        }
    }
    return 0;
}
