#include "foundation/DecimalText.h"

#include <climits>
#include <limits>

DecimalText ReadDecimalText(std::string_view text) {
    DecimalText number;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    constexpr uint64_t kMaximum = std::numeric_limits<uint64_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        number.magnitude = number.magnitude > (kMaximum - digit) / 10 ? kMaximum : number.magnitude * 10 + digit;
        ++number.digitCount;
    }
    number.length = number.digitCount > 0 ? i : 0;
    return number;
}

int64_t ClampDecimal(const DecimalText& number, int64_t minimum, int64_t maximum) {
    // The magnitude of INT64_MIN does not fit int64_t; anything at or beyond it is held at the bound.
    constexpr uint64_t kLowestMagnitude = uint64_t{1} << 63;
    int64_t value = 0;
    if (!number.negative)
        value =
            number.magnitude > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(number.magnitude);
    else if (number.magnitude >= kLowestMagnitude)
        value = INT64_MIN;
    else
        value = -static_cast<int64_t>(number.magnitude);
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

long long ReadLeadingInteger(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    return ClampDecimal(ReadDecimalText(text.substr(start)), LLONG_MIN, LLONG_MAX);
}
