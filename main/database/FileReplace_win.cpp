#include "main/database/FileReplace.h"

#include <windows.h>

#include <io.h>

bool FlushFileToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    // rename() of the C runtime refuses to replace an existing file.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
