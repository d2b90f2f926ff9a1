#include "hardware/NetworkRows.h"

#include <cstdint>
#include <limits>

#include "foundation/ValueFormatting.h"

std::string RateText(double bytesPerSecond) {
    const int64_t bytes = RoundHalfUp(bytesPerSecond);
    return bytes <= 0 ? std::string() : FormatBytes64(bytes, 2) + "/s";
}

std::string LinkSpeedText(uint64_t bitsPerSecond) {
    if (bitsPerSecond <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return FormatBitRate(static_cast<int32_t>(bitsPerSecond));
    return std::to_string(RoundHalfUp(static_cast<double>(bitsPerSecond) / 1000000.0)) + " MBit";
}

void FillNetworkTable(RowTable& rows,
                      const std::vector<NetworkInterface>& table,
                      const std::vector<InterfaceRate>& rates) {
    rows.rows.clear();
    for (size_t i = 0; i < table.size(); ++i) {
        const NetworkInterface& item = table[i];
        size_t row = AppendRow(rows);
        SetCell(rows, row, NetworkColumnAdapter, item.description);
        SetCell(rows, row, NetworkColumnType, LanguageText(InterfaceTypeKey(item.type)));
        if (i < rates.size() && rates[i].measured) {
            SetCell(rows, row, NetworkColumnDownload, RateText(rates[i].download));
            SetCell(rows, row, NetworkColumnUpload, RateText(rates[i].upload));
        }
        // A link of unknown speed (reported as 0) has no maximum to show.
        if (item.speed / 8 > 0)
            SetCell(rows, row, NetworkColumnMaximum,
                    FormatBytes64(static_cast<int64_t>(std::min<uint64_t>(item.speed / 8, INT64_MAX)), 2) + "/s ");
        SetCellUnsigned(rows, row, NetworkColumnIndex, item.index);
        rows.rows[row].textColour = InterfaceColour(i, item.index);
    }
}

std::vector<DetailLine> InterfaceDetails(const NetworkInterface& row, DetailStyle style) {
    const bool exact = style == DetailStyle::Exact;
    auto count = [exact](uint64_t value) {
        return exact ? std::to_string(value) : GroupThousands(static_cast<int64_t>(value));
    };
    auto bytes = [exact](uint64_t value) {
        return exact ? std::to_string(value) + " Byte" : FormatBytes64(static_cast<int64_t>(value), 2);
    };
    return {
        // The export leaves a link of unknown speed (0) empty, as the list's maximum does.
        {LanguageKey::MaximumTransferRate, exact && row.speed == 0 ? "" : LinkSpeedText(row.speed) + "/s"},
        {LanguageKey::MaximumTransmissionUnit, std::to_string(row.mtu) + (exact ? " Byte" : " Bytes")},
        {LanguageKey::MAC, PhysicalAddressText(row.physicalAddress)},
        {LanguageKey::TotalReceived, bytes(row.octetsReceived)},
        {LanguageKey::TotalSent, bytes(row.octetsSent)},
        {LanguageKey::UnicastsReceived, count(row.unicastsReceived)},
        {LanguageKey::UnicastsSent, count(row.unicastsSent)},
        {LanguageKey::BroadcastsReceived, count(row.nonUnicastsReceived)},
        {LanguageKey::BroadcastsSent, count(row.nonUnicastsSent)},
        {LanguageKey::ReceivedButDismissed, count(row.discardsReceived)},
        {LanguageKey::SentButDismissed, count(row.discardsSent)},
        {LanguageKey::ReceivedIncorrect, count(row.errorsReceived)},
        {LanguageKey::SentIncorrect, count(row.errorsSent)},
        {LanguageKey::UnknownPackets, count(row.unknownProtocolsReceived)},
    };
}

const NetworkInterface* InterfaceOfRow(const RowTable& rows, size_t row, const std::vector<NetworkInterface>& table) {
    if (row >= RowCount(rows))
        return nullptr;
    const uint64_t index = CellUnsigned(rows, row, NetworkColumnIndex);
    for (const NetworkInterface& item : table)
        if (item.index == index)
            return &item;
    return nullptr;
}
