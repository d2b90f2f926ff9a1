// Any bytes as a language file: every key must end up with a text, loaded or missing-key.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/Language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LanguageCatalogue catalogue = ParseLanguageCatalogue(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& text : catalogue.texts)
        ReplaceArgument(ExpandLineBreaks(text), "argument");
    // A key absent from the file shows its missing-key text, never an empty one.
    if (catalogue.texts[static_cast<int>(LanguageKey::Yes)].empty() &&
        std::string_view(reinterpret_cast<const char*>(data), size).find_first_of("yY") == std::string_view::npos)
        std::abort();
    return 0;
}
