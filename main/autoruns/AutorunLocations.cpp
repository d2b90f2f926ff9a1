#include "main/autoruns/AutorunLocations.h"

#include <cctype>

#include "foundation/Language.h"

namespace {

constexpr char kWow64Node[] = "Wow6432Node";
constexpr char kLocalMachineSoftware[] = "HKEY_LOCAL_MACHINE\\Software\\";

bool HasExtension(std::string_view name) {
    size_t slash = name.find_last_of("\\/");
    size_t dot = name.rfind('.');
    return dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
}

}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

#define VANTREL_RUN_FAMILY(root)                                                                                    \
    {root "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "", AutorunScan::Values, false},                   \
        {root "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "", AutorunScan::Values, false},           \
        {root "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", "", AutorunScan::Values, false},         \
        {root "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", "", AutorunScan::Values, false},       \
        {root "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", "", AutorunScan::Values, false}, { \
        root "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", "", AutorunScan::Values, false       \
    }

const AutorunLocation kAutorunLocations[kAutorunLocationCount] = {
    VANTREL_RUN_FAMILY("HKEY_LOCAL_MACHINE"),
    VANTREL_RUN_FAMILY("HKEY_CURRENT_USER"),
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad", "",
     AutorunScan::Values, true},
    {"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad", "",
     AutorunScan::Values, true},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler", "",
     AutorunScan::ClassValues, true},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", AutorunScan::SingleValue,
     true},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Userinit",
     AutorunScan::CommaList, true},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "load", AutorunScan::CommaList,
     true},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "AppInit_DLLs",
     AutorunScan::CommaList, true},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", "",
     AutorunScan::Values, true},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", "",
     AutorunScan::Values, true},
    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify", "",
     AutorunScan::NotifySubkeys, true},
    {"", "", AutorunScan::UserStartup, false},
    {"", "", AutorunScan::CommonStartup, false},
};

#undef VANTREL_RUN_FAMILY

std::string AutorunFileTargetPath(std::string name, const std::string& windowsFolder, const FileProbe& exists) {
    if (name.empty()) {
        return name;
    }
    if (!exists(name) && !HasExtension(name)) {
        name += ".exe";
    }
    if (name.size() < 2 || name[1] != ':') {
        for (const std::string& candidate : {windowsFolder + "\\System32\\" + name, windowsFolder + "\\" + name}) {
            if (exists(candidate)) {
                return candidate;
            }
        }
    }
    return name;
}

std::string AutorunTargetPath(std::string_view command, const std::string& windowsFolder, const FileProbe& exists) {
    static constexpr std::string_view kSystemRoot = "%systemroot%";
    std::string text;
    for (size_t at = 0; at < command.size();) {
        if (StartsWithNoCase(command.substr(at), kSystemRoot)) {
            text += windowsFolder;
            at += kSystemRoot.size();
        } else {
            text += command[at++];
        }
    }
    if (!text.empty() && text[0] == '"') {
        size_t close = text.find('"', 1);
        text = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    } else if (size_t blank = text.find(' '); blank != std::string::npos && !exists(text)) {
        text.resize(blank);
    }
    return AutorunFileTargetPath(std::move(text), windowsFolder, exists);
}

std::vector<std::string> SplitCommaList(std::string_view text) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string_view item = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        if (!item.empty()) {
            items.emplace_back(item);
        }
        if (comma == std::string_view::npos) {
            return items;
        }
        start = comma + 1;
    }
}

bool IsClassIdentifier(std::string_view data) {
    return !data.empty() && data[0] == '{';
}

std::string ClassServerKey(std::string_view classIdentifier) {
    return "HKEY_CLASSES_ROOT\\CLSID\\" + std::string(classIdentifier) + "\\InProcServer32";
}

bool IsLocalMachinePath(std::string_view path) {
    return RegistryRootOfPath(path) == RegistryRoot::LocalMachine;
}

std::string RegistryViewPath(const std::string& path, RegistryView view, bool twoViews) {
    const size_t prefix = sizeof(kLocalMachineSoftware) - 1;
    if (!twoViews || view != RegistryView::Bits32 || !StartsWithNoCase(path, kLocalMachineSoftware) ||
        StartsWithNoCase(std::string_view(path).substr(prefix), std::string(kWow64Node) + "\\")) {
        return path;
    }
    return path.substr(0, prefix) + kWow64Node + "\\" + path.substr(prefix);
}

RegistryPlace RegistryPlaceOfPath(const std::string& path, bool twoViews) {
    RegistryPlace place{path, RegistryView::Bits32};
    if (!twoViews || !IsLocalMachinePath(path)) {
        return place;
    }
    const size_t prefix = sizeof(kLocalMachineSoftware) - 1;
    const std::string node = std::string(kWow64Node) + "\\";
    if (StartsWithNoCase(path, kLocalMachineSoftware) &&
        StartsWithNoCase(std::string_view(path).substr(prefix), node)) {
        place.path = path.substr(0, prefix) + path.substr(prefix + node.size());
    } else {
        place.view = RegistryView::Bits64;
    }
    return place;
}

AutorunImage AutorunFallbackImage(std::string_view target) {
    bool library = target.size() >= 4 && StartsWithNoCase(target.substr(target.size() - 4), ".dll");
    return library ? AutorunImageLibrary : AutorunImageProgram;
}

size_t AppendAutorunRow(RowTable& table, const AutorunEntry& entry, const AutorunRating& rating, int image) {
    size_t row = AppendRow(table);
    SetCell(table, row, AutorunColumnName, entry.name);
    SetCell(table, row, AutorunColumnRating, rating.text);
    SetCell(table, row, AutorunColumnDescription, rating.description);
    SetCell(table, row, AutorunColumnType,
            LanguageText(entry.link ? LanguageKey::AutorunDirectory : LanguageKey::Registry));
    SetCell(table, row, AutorunColumnCommand, entry.command);
    SetCell(table, row, AutorunColumnLocation, entry.location);
    SetCell(table, row, AutorunColumnTarget, entry.target);
    TableRow& added = table.rows[row];
    added.backgroundColour = entry.link ? kAutorunFolderBackground : kAutorunRegistryBackground;
    added.textColour = rating.known ? kAutorunRatedText : 0x000000;
    added.image = image;
    return row;
}

AutorunDetails AutorunDetailsOfRow(const RowTable& table,
                                   size_t row,
                                   const std::string& product,
                                   const std::string& company) {
    AutorunDetails details;
    const std::string& name = Cell(table, row, AutorunColumnName);
    details.title = product.empty() ? name : product + " (" + name + ")";
    details.company = company;
    details.type = LanguageText(LanguageKey::Type) + ": " + Cell(table, row, AutorunColumnType);
    details.target = LanguageText(LanguageKey::Target) + ": " + Cell(table, row, AutorunColumnTarget);
    const std::string& rating = Cell(table, row, AutorunColumnRating);
    const std::string& description = Cell(table, row, AutorunColumnDescription);
    details.rating = !description.empty() ? description
                     : !rating.empty()    ? rating
                                          : LanguageText(LanguageKey::RatingUnknown);
    details.badge = rating.empty()                                                  ? 0
                    : rating == LanguageText(LanguageKey::RatingSystemInternal)     ? 1
                    : rating == LanguageText(LanguageKey::RatingTrustworthyProgram) ? 2
                                                                                    : 0;
    return details;
}
