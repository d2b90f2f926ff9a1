#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Registry paths ("HKEY_LOCAL_MACHINE\Software\...") and the text forms in which values travel.
// Portable: the Win32 side in Registry_win.cpp opens the keys.

enum class RegistryRoot { None, ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// On 64-bit Windows HKEY_LOCAL_MACHINE\Software has a view for 32-bit programs and one for 64-bit
// programs; a key is opened in the one named. 32-bit Windows has one view, which both name.
enum class RegistryView { Bits32, Bits64 };

// Value type codes as the registry knows them.
constexpr unsigned long kRegistryString = 1;        // REG_SZ
constexpr unsigned long kRegistryExpandString = 2;  // REG_EXPAND_SZ
constexpr unsigned long kRegistryBinary = 3;        // REG_BINARY
constexpr unsigned long kRegistryDword = 4;         // REG_DWORD

// Names and string data are read through a buffer of this many bytes, terminating zero included.
constexpr std::size_t kRegistryTextBufferLength = 255;
// Binary data is read through a block of this many bytes.
constexpr std::size_t kRegistryBinaryBufferLength = 1024;

// The root named before the first backslash, in any letter case; None for anything else (HKLM too).
RegistryRoot RegistryRootOfPath(std::string_view path);
// Everything after the first backslash, one extra leading backslash dropped; the whole path when
// it has no backslash at all.
std::string SubKeyOfPath(std::string_view path);

// A REG_DWORD as signed decimal text: 0xFFFFFFFF gives "-1".
std::string RegistryDwordText(std::uint32_t value);
// Decimal text (leading blanks, optional sign, digits up to the first other character) as a
// REG_DWORD. Both signed and unsigned forms of a 32-bit value are accepted; beyond that range the
// value is clamped rather than left to overflow.
std::uint32_t RegistryDwordFromText(std::string_view text);

// Two upper-case hexadecimal digits per byte, no separators.
std::string RegistryBinaryText(const unsigned char* bytes, std::size_t length);
// Consecutive pairs of hexadecimal digits in either case; an odd last digit is ignored. Nothing
// when a pair holds a character that is not a hexadecimal digit, so that no garbage is written.
std::optional<std::vector<unsigned char>> RegistryBinaryFromText(std::string_view text);

// The text of REG_SZ / REG_EXPAND_SZ data of `length` bytes: its terminating zero dropped. Data
// stored without a terminating zero is kept whole, and an embedded zero ends the text.
std::string RegistryStringFromData(const char* data, std::size_t length);

// Value data of the given type as the text form above; "0" for a REG_DWORD stored with more than 4
// bytes (it does not fit the integer it is read into), empty for types without a text form.
std::string RegistryValueText(unsigned long type, const unsigned char* data, std::size_t length);
// The data to store for the text form of a value of that type; nothing for a type without a text
// form or for binary text that does not parse.
std::optional<std::vector<unsigned char>> RegistryValueData(unsigned long type, std::string_view text);

// The access flag that opens a key in the view: KEY_WOW64_64KEY or KEY_WOW64_32KEY.
unsigned long RegistryViewAccessFlag(RegistryView view);

// An indirect text such as "@%SystemRoot%\system32\x.dll,-101": string 101 of that file's string
// table. A ";" after the number starts a comment.
struct IndirectTextReference {
    std::string file;  // as written, environment references unexpanded
    unsigned id = 0;
};
// Nothing for a text of any other form.
std::optional<IndirectTextReference> ParseIndirectText(std::string_view text);
