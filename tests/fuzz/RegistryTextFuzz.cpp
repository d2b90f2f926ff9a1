// Registry paths and value texts come from the registry itself and from what the user types:
// every text must split, convert and round-trip without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main/autoruns/RegistryPath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    RegistryRootOfPath(text);
    std::string subKey = SubKeyOfPath(text);
    if (subKey.size() > text.size()) {
        std::abort();
    }

    std::uint32_t value = RegistryDwordFromText(text);
    if (RegistryDwordFromText(RegistryDwordText(value)) != value) {
        std::abort();
    }

    auto bytes = RegistryBinaryFromText(text);
    if (bytes) {
        if (bytes->size() != text.size() / 2) {
            std::abort();
        }
        auto again = RegistryBinaryFromText(RegistryBinaryText(bytes->data(), bytes->size()));
        if (!again || *again != *bytes) {
            std::abort();
        }
    }

    if (RegistryStringFromData(text.data(), text.size()).size() > text.size()) {
        std::abort();
    }

    // An indirect text names a file inside it and a 16-bit string number.
    auto reference = ParseIndirectText(text);
    if (reference && (reference->file.empty() || reference->file.size() >= text.size() || reference->id > 0xFFFF)) {
        std::abort();
    }
    return 0;
}
