// Autorun commands and locations come from the registry, which any program may write: every text
// must resolve, split and map between the registry views without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main/autoruns/AutorunEditing.h"
#include "main/autoruns/AutorunLocations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    // Files "exist" by a property of their name, so that every branch of the look-up is taken.
    auto exists = [](const std::string& path) { return !path.empty() && (path.size() + path.back()) % 3 == 0; };
    AutorunTargetPath(text, "C:\\WINDOWS", exists);

    std::size_t itemBytes = 0;
    auto items = SplitCommaList(text);
    for (const std::string& item : items) {
        if (item.empty() || item.find(',') != std::string::npos) {
            std::abort();
        }
        itemBytes += item.size();
    }
    if (itemBytes > text.size()) {
        std::abort();
    }
    if (!items.empty() && CommaListWithout(text, items.front()).size() >= text.size()) {
        std::abort();
    }

    const std::string path = "HKEY_LOCAL_MACHINE\\Software\\" + text;
    if (!StartsWithNoCase(text, "Wow6432Node\\")) {
        RegistryPlace place = RegistryPlaceOfPath(RegistryViewPath(path, RegistryView::Bits32, true), true);
        if (place.path != path || place.view != RegistryView::Bits32) {
            std::abort();
        }
    }
    RegistryEditorLastKey(text, "HKEY_CURRENT_USER");
    AutorunSearchName(text);
    TrimBlanks(text);
    return 0;
}
