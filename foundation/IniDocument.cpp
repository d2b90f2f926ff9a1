#include "foundation/IniDocument.h"

#include <cstddef>
#include <cstdint>

#include "foundation/CodePage.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// A value or name written into the file must stay on its line, or it would turn into lines of its own.
std::string OneLine(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return result;
}

void ParseLine(std::string_view line, IniDocument& document) {
    line = TrimLeadingBlanks(line);
    if (line.empty())
        return;
    IniLine parsed;
    if (line[0] == ';') {
        parsed.kind = IniLineKind::Comment;
        parsed.name = std::string(TrimLeadingBlanks(line.substr(1)));
    } else if (line[0] == '[') {
        parsed.kind = IniLineKind::Group;
        std::string_view rest = line.substr(1);
        parsed.name = std::string(rest.substr(0, rest.find(']')));
    } else {
        parsed.kind = IniLineKind::Key;
        size_t equals = line.find('=');
        parsed.name = std::string(TrimTrailingBlanks(line.substr(0, equals)));
        if (equals != std::string_view::npos)
            parsed.value = std::string(TrimLeadingBlanks(line.substr(equals + 1)));
    }
    document.lines.push_back(std::move(parsed));
}

// A Unicode file's names and values are kept as they were read wherever the code page cannot hold
// them, rather than only their code page text: a translation with a character outside the code page
// then survives the program's saves, and only what the program itself rewrites is limited to the
// code page. Whether a field is lossy is told by the trip there and back, which also catches bytes
// that are no UTF-8.
std::string FromUnicodeFile(std::string utf8, std::string& asRead) {
    std::string text = Utf8ToCodePage(utf8);
    if (CodePageToUtf8(text) != utf8)
        asRead = std::move(utf8);
    return text;
}

std::string ToUnicodeFile(const std::string& text, const std::string& asRead) {
    if (!asRead.empty() && Utf8ToCodePage(asRead) == text)
        return asRead;
    return CodePageToUtf8(text);
}

// Calls visit(index, line) for each line inside a group of the given name, stopping when it returns false.
template <typename Visit>
void ForEachLineInGroup(const IniDocument& document, std::string_view group, Visit visit) {
    bool inGroup = false;
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const IniLine& line = document.lines[i];
        if (line.kind == IniLineKind::Group) {
            inGroup = SameIniName(line.name, group);
            continue;
        }
        if (inGroup && !visit(i, line))
            return;
    }
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

IniDocument ParseIniDocument(std::string_view bytes) {
    IniDocument document;
    document.encoding = EncodingOfFile(bytes);
    std::string unicodeText;
    std::string_view text = bytes;
    if (document.encoding != TextEncoding::CodePage) {
        unicodeText = TextOfFile(bytes);
        text = unicodeText;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        ParseLine(text.substr(start, end - start), document);
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    if (document.encoding != TextEncoding::CodePage) {
        for (IniLine& line : document.lines) {
            line.name = FromUnicodeFile(std::move(line.name), line.nameAsRead);
            line.value = FromUnicodeFile(std::move(line.value), line.valueAsRead);
        }
    }
    return document;
}

std::string SerializeIniDocument(const IniDocument& document) {
    bool unicode = document.encoding != TextEncoding::CodePage;
    std::string out;
    auto appendField = [&](const std::string& text, const std::string& asRead) {
        if (unicode)
            out += ToUnicodeFile(text, asRead);
        else
            out += text;
    };
    bool first = true;
    for (const IniLine& line : document.lines) {
        switch (line.kind) {
            case IniLineKind::Comment:
                out += "; ";
                appendField(line.name, line.nameAsRead);
                break;
            case IniLineKind::Group:
                // A blank line before each group but the first line keeps the file readable.
                if (!first)
                    out += "\r\n";
                out += '[';
                appendField(line.name, line.nameAsRead);
                out += ']';
                break;
            case IniLineKind::Key:
                appendField(line.name, line.nameAsRead);
                out += " = ";
                appendField(line.value, line.valueAsRead);
                break;
        }
        out += "\r\n";
        first = false;
    }
    // A first key line that begins with the bytes of a byte-order mark would be read back as one;
    // a leading blank, which reading drops, keeps it a line.
    if (!unicode && EncodingOfFile(out) != TextEncoding::CodePage)
        out.insert(out.begin(), ' ');
    return FileOfText(out, document.encoding);
}

const std::string* FindIniValue(const IniDocument& document, std::string_view group, std::string_view key) {
    const std::string* found = nullptr;
    ForEachLineInGroup(document, group, [&](size_t, const IniLine& line) {
        if (line.kind == IniLineKind::Key && SameIniName(line.name, key)) {
            found = &line.value;
            return false;
        }
        return true;
    });
    return found;
}

bool HasIniGroup(const IniDocument& document, std::string_view group) {
    for (const IniLine& line : document.lines) {
        if (line.kind == IniLineKind::Group && SameIniName(line.name, group))
            return true;
    }
    return false;
}

void SetIniValue(IniDocument& document, std::string_view group, std::string_view key, std::string_view value) {
    std::string cleanValue = OneLine(value);
    size_t existing = SIZE_MAX;
    ForEachLineInGroup(document, group, [&](size_t i, const IniLine& line) {
        if (line.kind == IniLineKind::Key && SameIniName(line.name, key)) {
            existing = i;
            return false;
        }
        return true;
    });
    if (existing != SIZE_MAX) {
        document.lines[existing].value = std::move(cleanValue);
        return;
    }

    IniLine newKey{IniLineKind::Key, OneLine(key), std::move(cleanValue), {}, {}};
    // Into the first occurrence of the group, after its last key line.
    size_t groupLine = SIZE_MAX;
    for (size_t i = 0; i < document.lines.size(); ++i) {
        const IniLine& line = document.lines[i];
        if (line.kind == IniLineKind::Group && SameIniName(line.name, group)) {
            groupLine = i;
            break;
        }
    }
    if (groupLine == SIZE_MAX) {
        document.lines.push_back(IniLine{IniLineKind::Group, OneLine(group), {}, {}, {}});
        document.lines.push_back(std::move(newKey));
        return;
    }
    size_t insertAt = groupLine + 1;
    for (size_t i = groupLine + 1; i < document.lines.size(); ++i) {
        if (document.lines[i].kind == IniLineKind::Group)
            break;
        if (document.lines[i].kind == IniLineKind::Key)
            insertAt = i + 1;
    }
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newKey));
}

void RemoveIniKey(IniDocument& document, std::string_view group, std::string_view key) {
    std::vector<IniLine> kept;
    kept.reserve(document.lines.size());
    bool inGroup = false;
    for (IniLine& line : document.lines) {
        if (line.kind == IniLineKind::Group)
            inGroup = SameIniName(line.name, group);
        else if (inGroup && line.kind == IniLineKind::Key && SameIniName(line.name, key))
            continue;
        kept.push_back(std::move(line));
    }
    document.lines = std::move(kept);
}

void RemoveIniGroup(IniDocument& document, std::string_view group) {
    std::vector<IniLine> kept;
    kept.reserve(document.lines.size());
    bool inGroup = false;
    for (IniLine& line : document.lines) {
        if (line.kind == IniLineKind::Group) {
            inGroup = SameIniName(line.name, group);
            if (inGroup)
                continue;
        } else if (inGroup && line.kind == IniLineKind::Key) {
            continue;
        }
        kept.push_back(std::move(line));
    }
    document.lines = std::move(kept);
}
