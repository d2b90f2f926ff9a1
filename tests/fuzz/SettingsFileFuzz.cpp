// Any bytes as a settings file: parsing, updating and writing must neither crash nor hang, and
// writing what was read must be stable (a second read and write gives the same bytes).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/DecimalText.h"
#include "foundation/IniDocument.h"
#include "foundation/PreferencesDefaults.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    IniDocument document = ParseIniDocument(bytes);
    std::string written = SerializeIniDocument(document);
    if (SerializeIniDocument(ParseIniDocument(written)) != written)
        std::abort();

    for (const IniLine& line : document.lines) {
        if (line.kind == IniLineKind::Key) {
            ReadLeadingInteger(line.value);
            ParseMonitoredAttributes(line.value);
        }
    }
    const std::string* remain = FindIniValue(document, "General", "PreferencesRemain");
    if (remain)
        ReadLeadingInteger(*remain);

    size_t before = document.lines.size();
    SetIniValue(document, "General", "PreferencesRemain", "0");
    SetIniValue(document, "Fuzz", "Key", bytes.substr(0, 64));
    const std::string* value = FindIniValue(document, "General", "PreferencesRemain");
    if (!value || *value != "0")
        std::abort();
    RemoveIniGroup(document, "Fuzz");
    RemoveIniKey(document, "General", "PreferencesRemain");
    if (document.lines.size() > before + 1)  // at most the General group line stays
        std::abort();
    SerializeIniDocument(document);
    return 0;
}
