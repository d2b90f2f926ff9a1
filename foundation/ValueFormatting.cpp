#include "foundation/ValueFormatting.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "foundation/DecimalText.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"

namespace {

bool g_decimalComma = false;

constexpr int kMaximumDecimals = 512;

std::string FormatFixed(double value, int decimals) {
    decimals = Clamp(decimals, 0, kMaximumDecimals);
    char buffer[8];
    int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (length < 0)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    if (g_decimalComma)
        std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string WithoutCharacters(std::string_view text, std::string_view characters) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (characters.find(c) == std::string_view::npos)
            result += c;
    }
    return result;
}

// The value a size cell stands for, in bytes where the text names its unit.
double SizeCellValue(SizeColumnList list, std::string_view text) {
    double value = static_cast<double>(ReadLeadingInteger(WithoutCharacters(text, ",.")));
    if (list != SizeColumnList::Processes) {
        if (text.find("KB") != std::string_view::npos)
            value *= 1000.0;
        else if (text.find("MB") != std::string_view::npos)
            value *= 1000000.0;
    }
    return value;
}

template <typename Float>
int64_t RoundHalfUpOf(Float value) {
    // Out of the range of the result (or not a number) the nearest representable answer is given.
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<Float>(9.2e18))
        return INT64_MAX;
    if (value <= static_cast<Float>(-9.2e18))
        return INT64_MIN;
    Float truncated = std::trunc(value);
    int64_t result = static_cast<int64_t>(truncated);
    if (value - truncated >= static_cast<Float>(0.5))
        ++result;
    return result;
}

std::string DurationPart(int64_t amount, LanguageKey one, LanguageKey many) {
    if (amount == 0)
        return std::string();
    return std::to_string(amount) + " " + LanguageText(amount == 1 ? one : many);
}

}  // namespace

void SetDecimalComma(bool useComma) {
    g_decimalComma = useComma;
}

bool DecimalComma() {
    return g_decimalComma;
}

std::string FormatDecimal(float value, int decimals) {
    return FormatFixed(value, decimals);
}

std::string FormatDecimalDouble(double value, int decimals) {
    return FormatFixed(value, decimals);
}

float ParseDecimal(std::string_view text) {
    std::string number(text);
    if (g_decimalComma)
        std::replace(number.begin(), number.end(), ',', '.');
    size_t start = number.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0.0f;
    bool negative = false;
    if (number[start] == '+' || number[start] == '-') {
        negative = number[start] == '-';
        ++start;
    }
    // The leading number: digits, optionally a point and more digits.
    size_t end = start;
    while (end < number.size() && IsDigit(number[end]))
        ++end;
    size_t integerDigits = end - start;
    if (end < number.size() && number[end] == '.') {
        size_t fractionStart = end + 1;
        size_t fractionEnd = fractionStart;
        while (fractionEnd < number.size() && IsDigit(number[fractionEnd]))
            ++fractionEnd;
        if (integerDigits > 0 || fractionEnd > fractionStart)
            end = fractionEnd;
    }
    if (end == start)
        return 0.0f;
    float value = 0.0f;
    auto result = std::from_chars(number.data() + start, number.data() + end, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Only a text of dozens of digits gets here: too large, or too close to zero.
        bool large = number.find_first_not_of('0', start) < start + integerDigits;
        value = large ? FLT_MAX : 0.0f;
    }
    return negative ? -value : value;
}

std::string GroupThousands(int64_t value) {
    std::string digits = std::to_string(value);
    std::string sign;
    if (!digits.empty() && digits[0] == '-') {
        // The sign stays in front of the digits rather than being counted as one of them.
        sign = "-";
        digits.erase(0, 1);
    }
    std::string result;
    result.reserve(digits.size() + digits.size() / 3 + 1);
    size_t count = 0;
    for (size_t i = digits.size(); i-- > 0; ++count) {
        if (count > 0 && count % 3 == 0)
            result += '.';
        result += digits[i];
    }
    std::reverse(result.begin(), result.end());
    return sign + result;
}

float ParseGroupedNumber(std::string_view text) {
    if (text.find('.') != std::string_view::npos)
        return static_cast<float>(ReadLeadingInteger(WithoutCharacters(text, ".")));
    return static_cast<float>(ReadLeadingInteger(text));
}

std::string FormatBytes(int32_t bytes, int decimals) {
    if (bytes > 1000000)
        return FormatDecimal(static_cast<float>(bytes) / 1000000.0f, decimals) + " MB";
    if (bytes > 1000)
        return FormatDecimal(static_cast<float>(bytes) / 1000.0f, decimals) + " KB";
    return std::to_string(bytes) + " Bytes";
}

std::string FormatBytes64(int64_t bytes, int decimals) {
    if (bytes > 1000000)
        return FormatDecimalDouble(static_cast<double>(bytes) / 1000000.0, decimals) + " MB";
    if (bytes > 1000)
        return FormatDecimalDouble(static_cast<double>(bytes) / 1000.0, decimals) + " KB";
    return std::to_string(bytes) + " Bytes";
}

std::string FormatBitRate(int32_t bitsPerSecond) {
    if (bitsPerSecond > 1000000)
        return std::to_string(RoundHalfUp(bitsPerSecond / 1000000.0)) + " MBit";
    if (bitsPerSecond > 1000)
        return std::to_string(RoundHalfUp(bitsPerSecond / 1000.0)) + " KBit";
    return std::to_string(bitsPerSecond) + " Bit";
}

std::string FormatClock(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);  // a negative time span is a caller's slip; show none
    int64_t hours = seconds / 3600;
    int64_t minutes = seconds / 60 - hours * 60;
    int64_t rest = seconds % 60;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", static_cast<long long>(hours),
                  static_cast<long long>(minutes), static_cast<long long>(rest));
    return buffer;
}

std::string FormatDuration(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);
    const std::string parts[] = {
        DurationPart(seconds / 86400, LanguageKey::Day, LanguageKey::Days),
        DurationPart(seconds / 3600 % 24, LanguageKey::Hour, LanguageKey::Hours),
        DurationPart(seconds / 60 % 60, LanguageKey::Minute, LanguageKey::Minutes),
        DurationPart(seconds % 60, LanguageKey::Second, LanguageKey::Seconds),
    };
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

int64_t DurationSeconds(std::string_view text) {
    static constexpr struct {
        LanguageKey one, many;
        int64_t seconds;
    } kUnits[] = {{LanguageKey::Day, LanguageKey::Days, 86400},
                  {LanguageKey::Hour, LanguageKey::Hours, 3600},
                  {LanguageKey::Minute, LanguageKey::Minutes, 60},
                  {LanguageKey::Second, LanguageKey::Seconds, 1}};
    int64_t total = 0;
    while (!text.empty()) {
        size_t end = text.find(", ");
        std::string_view part = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
        size_t space = part.find(' ');
        std::string_view digits = part.substr(0, space);
        if (space == std::string_view::npos || digits.empty() || digits.size() > 12 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            return -1;
        std::string_view unit = part.substr(space + 1);
        int64_t amount = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), amount);
        bool known = false;
        for (const auto& candidate : kUnits) {
            if (unit == LanguageText(candidate.one) || unit == LanguageText(candidate.many)) {
                total += amount * candidate.seconds;
                known = true;
                break;
            }
        }
        if (!known)
            return -1;
    }
    return total;
}

int64_t RoundHalfUp(float value) {
    return RoundHalfUpOf(value);
}

int64_t RoundHalfUp(double value) {
    return RoundHalfUpOf(value);
}

std::string TreePrefix(int depth) {
    std::string prefix;
    for (int level = 1; level < depth; ++level)
        prefix += "|   ";
    return prefix + "|-  ";
}

std::string FileTitle(std::string_view path) {
    std::string name = FileNameOfPath(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int CompareFormattedSizes(SizeColumnList list, std::string_view first, std::string_view second) {
    if (list == SizeColumnList::Other)
        return 0;
    double a = SizeCellValue(list, first);
    double b = SizeCellValue(list, second);
    return a > b ? 1 : (a < b ? -1 : 0);
}

std::string SwapCharPairs(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        result += text[i + 1];
        result += text[i];
    }
    return result;
}

std::string HexByte(int value) {
    if (value < 0 || value > 255)
        return std::string();
    char buffer[3];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(value));
    return buffer;
}
