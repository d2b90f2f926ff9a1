#pragma once
// The rows of the networks list and the texts of its details panel. Portable.

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "hardware/NetworkRates.h"
#include "main/RowTable.h"

enum NetworkColumn : size_t {
    NetworkColumnAdapter = 0,
    NetworkColumnType = 1,
    NetworkColumnDownload = 2,
    NetworkColumnUpload = 3,
    NetworkColumnMaximum = 4,
    NetworkColumnIndex = 5,  // hidden: the interface index that finds the row's interface
    NetworkColumnCount = 6,
};

// A rate in bytes per second as the list shows it; empty for none.
std::string RateText(double bytesPerSecond);
// The link speed in bits per second, as a bit rate, also beyond what 32 bits hold.
std::string LinkSpeedText(uint64_t bitsPerSecond);

// One row per interface, in table order, coloured by position; `rates` runs parallel to `table`.
void FillNetworkTable(RowTable& rows,
                      const std::vector<NetworkInterface>& table,
                      const std::vector<InterfaceRate>& rates);

struct DetailLine {
    LanguageKey label;
    std::string value;
};
// How the details are written: rounded and grouped for the panel, or exact for an export, with byte
// counts in " Byte" and plain counters, so that the figures stay comparable and align as numbers.
enum class DetailStyle { Panel, Exact };
// The details panel's lines for an interface (label texts get their ":" when shown).
std::vector<DetailLine> InterfaceDetails(const NetworkInterface& row, DetailStyle style = DetailStyle::Panel);

// The interface of a row by its hidden index; null when it is gone.
const NetworkInterface* InterfaceOfRow(const RowTable& rows, size_t row, const std::vector<NetworkInterface>& table);
