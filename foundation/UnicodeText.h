#pragma once

#include <string>
#include <string_view>

// Text files are in the system code page unless a byte-order mark says they are UTF-8 or UTF-16.
// A Unicode file's text is handled as UTF-8, which keeps the ASCII syntax characters of our formats
// as single bytes whatever the encoding.

enum class TextEncoding { CodePage, Utf8, Utf16LittleEndian, Utf16BigEndian };

// The encoding named by the byte-order mark at the start of the bytes; CodePage when there is none.
TextEncoding EncodingOfFile(std::string_view bytes);

// The text of a file after its mark: UTF-8 for a Unicode file, the bytes themselves for a code page
// file. An odd last byte of a UTF-16 file is no character and is left out.
std::string TextOfFile(std::string_view bytes);
// The bytes of a file: the encoding's mark, then the text (UTF-8, or code page text for CodePage).
std::string FileOfText(std::string_view text, TextEncoding encoding);
// False when the text of the file does not give back the same bytes: a UTF-16 file of odd length.
bool FileTextIsWhole(std::string_view bytes);

// Unpaired surrogates are carried through UTF-8 as three-byte sequences of their own, so that any
// UTF-16 comes back unit for unit. Bytes that are no UTF-8 read as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
