#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/UnicodeText.h"

// The settings and language files share one INI dialect. A document keeps every group, key and
// comment of the file it came from, so that updating one key rewrites the file without losing the rest.
// Names and values are code page text; a file marked UTF-8 or UTF-16 is converted on reading and
// written back in its own encoding.

enum class IniLineKind { Comment, Group, Key };

struct IniLine {
    IniLineKind kind = IniLineKind::Key;
    std::string name;   // group or key name; the text of a comment
    std::string value;  // keys only
    // From a Unicode file: the UTF-8 of a name or value that the code page cannot hold exactly. As
    // long as the text is left as it was read, the file gets these bytes back.
    std::string nameAsRead;
    std::string valueAsRead;
};

struct IniDocument {
    TextEncoding encoding = TextEncoding::CodePage;
    std::vector<IniLine> lines;  // empty lines are not kept; the writer lays out its own
};

IniDocument ParseIniDocument(std::string_view bytes);
std::string SerializeIniDocument(const IniDocument& document);

// Group and key names are compared without regard to letter case (ASCII).
bool SameIniName(std::string_view a, std::string_view b);

// Points at the value of the first matching key, or nullptr. Keys before the first group line
// belong to no group and are never found.
const std::string* FindIniValue(const IniDocument& document, std::string_view group, std::string_view key);
bool HasIniGroup(const IniDocument& document, std::string_view group);

// Replaces the value of the first matching key, or adds the key at the end of the group, or adds
// the group at the end of the document.
void SetIniValue(IniDocument& document, std::string_view group, std::string_view key, std::string_view value);

// Remove every matching key (a group may occur more than once in a hand-edited file).
void RemoveIniKey(IniDocument& document, std::string_view group, std::string_view key);
// Removes the group lines and their keys; comments stay where they were.
void RemoveIniGroup(IniDocument& document, std::string_view group);
