#pragma once
// Decimal numbers at the start of a text, read the one way every reader in the programs shares:
// an optional '+' or '-', then the digits up to the first other character. What may come before
// the number (blanks) and after it (anything, or nothing) is each caller's own rule.

#include <cstddef>
#include <cstdint>
#include <string_view>

struct DecimalText {
    bool negative = false;
    uint64_t magnitude = 0;  // held at UINT64_MAX when the digits go beyond it
    size_t digitCount = 0;
    size_t length = 0;  // characters read, the sign included; 0 when there are no digits
};

DecimalText ReadDecimalText(std::string_view text);

// The number held within [minimum, maximum]; a text without digits reads as 0 (then held too).
int64_t ClampDecimal(const DecimalText& number, int64_t minimum, int64_t maximum);

// The number after leading blanks (spaces and tabs), anything after it ignored; out-of-range
// values are held at the nearest 64-bit limit.
long long ReadLeadingInteger(std::string_view text);
