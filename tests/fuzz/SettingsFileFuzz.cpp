// Any bytes as a settings file, as they are and behind each byte-order mark: parsing, updating and
// writing must neither crash nor hang; writing what was read must give back every line spelled as it
// was, and be stable (a second read and write gives the same bytes).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/DecimalText.h"
#include "foundation/IniDocument.h"
#include "foundation/PreferencesDefaults.h"
#include "foundation/UnicodeText.h"

namespace {

// The lines as the file spells them (UTF-8 for a Unicode file), before any conversion to the code page.
// The line break in front keeps the text itself from being taken for a marked file.
IniDocument SpelledLines(const std::string& bytes) {
    return ParseIniDocument("\n" + TextOfFile(bytes));
}

bool SameLines(const IniDocument& a, const IniDocument& b) {
    if (a.lines.size() != b.lines.size())
        return false;
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const IniLine& x = a.lines[i];
        const IniLine& y = b.lines[i];
        if (x.kind != y.kind || x.name != y.name || x.value != y.value)
            return false;
    }
    return true;
}

void CheckFile(const std::string& bytes) {
    IniDocument document = ParseIniDocument(bytes);
    std::string written = SerializeIniDocument(document);
    if (EncodingOfFile(written) != document.encoding || !SameLines(SpelledLines(written), SpelledLines(bytes)))
        std::abort();
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
    // A value the program writes comes back as it was written (but for the blanks that reading drops
    // at its start), whatever the file's encoding: every byte has a character in Windows-1252.
    const std::string stored = *FindIniValue(document, "Fuzz", "Key");
    const IniDocument updated = ParseIniDocument(SerializeIniDocument(document));
    const std::string* back = FindIniValue(updated, "Fuzz", "Key");
    if (!back || *back != stored.substr(std::min(stored.find_first_not_of(" \t"), stored.size())))
        std::abort();
    RemoveIniGroup(document, "Fuzz");
    RemoveIniKey(document, "General", "PreferencesRemain");
    if (document.lines.size() > before + 1)  // at most the General group line stays
        std::abort();
    SerializeIniDocument(document);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char* mark : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        CheckFile(mark + bytes);
    return 0;
}
