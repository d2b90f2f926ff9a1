#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers into the texts the lists show, and back. Units are decimal (1 KB = 1000 bytes).

// The decimal separator: "," when PreferencesUseComma is 1, else ".". The main program sets it
// after loading its preferences.
void SetDecimalComma(bool useComma);
bool DecimalComma();

std::string FormatDecimal(float value, int decimals);
std::string FormatDecimalDouble(double value, int decimals);
float ParseDecimal(std::string_view text);

std::string GroupThousands(int64_t value);
float ParseGroupedNumber(std::string_view text);

std::string FormatBytes(int32_t bytes, int decimals);
std::string FormatBytes64(int64_t bytes, int decimals);
std::string FormatBitRate(int32_t bitsPerSecond);

std::string FormatClock(int64_t seconds);
// Uses the unit words of the loaded language catalogue.
std::string FormatDuration(int64_t seconds);
// The length in seconds of a text that FormatDuration wrote in the loaded language; -1 for any
// other text, 0 for the empty one.
int64_t DurationSeconds(std::string_view text);

int64_t RoundHalfUp(float value);
int64_t RoundHalfUp(double value);

template <typename T>
T Clamp(T value, T minimum, T maximum) {
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

std::string TreePrefix(int depth);
std::string FileTitle(std::string_view path);

// The lists whose size columns sort by CompareFormattedSizes.
enum class SizeColumnList { Processes, Drivers, Networks, Other };
int CompareFormattedSizes(SizeColumnList list, std::string_view first, std::string_view second);

std::string SwapCharPairs(std::string_view text);
std::string HexByte(int value);
