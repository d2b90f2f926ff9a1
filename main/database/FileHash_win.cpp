#include "main/database/FileHash_win.h"

#include <windows.h>

#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/database/FileHash.h"

namespace {

using ShaInit = void(WINAPI*)(void* context);
using ShaUpdate = void(WINAPI*)(void* context, const unsigned char* data, unsigned int length);
using ShaFinal = void(WINAPI*)(void* context, unsigned char* digest);

}  // namespace

std::string FileHash(const std::string& path) {
    if (!IsSlotOpen(kAdvapi32Slot)) {
        return std::string();
    }
    const auto init = SlotFunctionAs<ShaInit>(kAdvapi32Slot, "A_SHAInit");
    const auto update = SlotFunctionAs<ShaUpdate>(kAdvapi32Slot, "A_SHAUpdate");
    const auto final = SlotFunctionAs<ShaFinal>(kAdvapi32Slot, "A_SHAFinal");
    if (init == nullptr || update == nullptr || final == nullptr) {
        return std::string();
    }
    Sha1Calls calls;
    calls.init = [init](unsigned char* context) { init(context); };
    calls.update = [update](unsigned char* context, const unsigned char* data, unsigned int length) {
        update(context, data, length);
    };
    calls.final = [final](unsigned char* context, unsigned char* digest) { final(context, digest); };
    SystemFileAccess access(path);
    return FileHash(access.path, &calls);
}
