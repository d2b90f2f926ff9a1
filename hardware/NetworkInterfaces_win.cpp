// The Vista interface table is declared only for Vista and later; this file binds it at run time, so
// the program still starts on Windows XP.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

// The Vista rows are declared only after the IP definitions of the sockets headers.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>

#include <algorithm>
#include <memory>

#include "hardware/NetworkInterfaces_win.h"

namespace {

using GetIfTable2Function = DWORD(WINAPI*)(PMIB_IF_TABLE2*);
using FreeMibTableFunction = VOID(WINAPI*)(PVOID);

struct InterfaceTable2Functions {
    GetIfTable2Function getTable = nullptr;
    FreeMibTableFunction freeTable = nullptr;
};

// Windows XP has neither function; the library is one the process keeps loaded for its lifetime.
const InterfaceTable2Functions& Table2Functions() {
    static const InterfaceTable2Functions functions = [] {
        InterfaceTable2Functions found;
        HMODULE library = LoadLibraryA("iphlpapi.dll");
        if (library == nullptr)
            return found;
        found.getTable =
            reinterpret_cast<GetIfTable2Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, "GetIfTable2")));
        found.freeTable = reinterpret_cast<FreeMibTableFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "FreeMibTable")));
        if (found.getTable == nullptr || found.freeTable == nullptr)
            found = {};
        return found;
    }();
    return functions;
}

std::string AnsiText(const WCHAR* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    if (length == 0)
        return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &result[0], bytes, nullptr, nullptr);
    return result;
}

NetworkInterface FromRow2(const MIB_IF_ROW2& row) {
    NetworkInterface item;
    item.description = AnsiText(row.Description, sizeof row.Description / sizeof row.Description[0]);
    item.index = row.InterfaceIndex;
    item.type = row.Type;
    item.mtu = row.Mtu;
    item.speed = std::max(row.ReceiveLinkSpeed, row.TransmitLinkSpeed);
    // An unknown speed is reported as all ones.
    if (item.speed == ~0ull)
        item.speed = 0;
    ULONG addressLength = std::min<ULONG>(row.PhysicalAddressLength, sizeof row.PhysicalAddress);
    item.physicalAddress.assign(row.PhysicalAddress, row.PhysicalAddress + addressLength);
    item.adminStatus = row.AdminStatus;
    item.operationalStatus = row.OperStatus;
    item.octetsReceived = row.InOctets;
    item.octetsSent = row.OutOctets;
    item.unicastsReceived = row.InUcastPkts;
    item.unicastsSent = row.OutUcastPkts;
    item.nonUnicastsReceived = row.InNUcastPkts;
    item.nonUnicastsSent = row.OutNUcastPkts;
    item.discardsReceived = row.InDiscards;
    item.discardsSent = row.OutDiscards;
    item.errorsReceived = row.InErrors;
    item.errorsSent = row.OutErrors;
    item.unknownProtocolsReceived = row.InUnknownProtos;
    item.outputQueueLength = row.OutQLen;
    item.wideCounters = true;
    return item;
}

NetworkInterface FromRow(const MIB_IFROW& row) {
    NetworkInterface item;
    DWORD length = std::min<DWORD>(row.dwDescrLen, MAXLEN_IFDESCR);
    item.description.assign(reinterpret_cast<const char*>(row.bDescr), length);
    // Some systems count the closing zero in the length.
    while (!item.description.empty() && item.description.back() == '\0')
        item.description.pop_back();
    item.index = row.dwIndex;
    item.type = row.dwType;
    item.mtu = row.dwMtu;
    item.speed = row.dwSpeed;
    DWORD addressLength = std::min<DWORD>(row.dwPhysAddrLen, MAXLEN_PHYSADDR);
    item.physicalAddress.assign(row.bPhysAddr, row.bPhysAddr + addressLength);
    item.adminStatus = row.dwAdminStatus;
    item.operationalStatus = row.dwOperStatus;
    item.lastChange = row.dwLastChange;
    item.octetsReceived = row.dwInOctets;
    item.octetsSent = row.dwOutOctets;
    item.unicastsReceived = row.dwInUcastPkts;
    item.unicastsSent = row.dwOutUcastPkts;
    item.nonUnicastsReceived = row.dwInNUcastPkts;
    item.nonUnicastsSent = row.dwOutNUcastPkts;
    item.discardsReceived = row.dwInDiscards;
    item.discardsSent = row.dwOutDiscards;
    item.errorsReceived = row.dwInErrors;
    item.errorsSent = row.dwOutErrors;
    item.unknownProtocolsReceived = row.dwInUnknownProtos;
    item.outputQueueLength = row.dwOutQLen;
    item.wideCounters = false;
    return item;
}

bool ReadTable2(std::vector<NetworkInterface>& rows) {
    const InterfaceTable2Functions& functions = Table2Functions();
    if (functions.getTable == nullptr)
        return false;
    PMIB_IF_TABLE2 table = nullptr;
    if (functions.getTable(&table) != NO_ERROR || table == nullptr)
        return false;
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        // The lightweight filter layers stacked on an adapter repeat its counters.
        if (table->Table[i].InterfaceAndOperStatusFlags.FilterInterface)
            continue;
        rows.push_back(FromRow2(table->Table[i]));
    }
    functions.freeTable(table);
    std::sort(rows.begin(), rows.end(),
              [](const NetworkInterface& a, const NetworkInterface& b) { return a.index < b.index; });
    return true;
}

bool ReadTable(std::vector<NetworkInterface>& rows) {
    // The table may grow between asking for its size and reading it; a few tries cover that.
    ULONG size = 0;
    DWORD result = GetIfTable(nullptr, &size, TRUE);
    for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
        PMIB_IFTABLE table = reinterpret_cast<PMIB_IFTABLE>(buffer.get());
        result = GetIfTable(table, &size, TRUE);
        if (result == NO_ERROR) {
            for (DWORD i = 0; i < table->dwNumEntries; ++i)
                rows.push_back(FromRow(table->table[i]));
            return true;
        }
    }
    return false;
}

}  // namespace

size_t ReadInterfaceTable(std::vector<NetworkInterface>& table, InterfaceSource source) {
    std::vector<NetworkInterface> rows;
    bool read = (source == InterfaceSource::Best && ReadTable2(rows));
    if (!read) {
        rows.clear();
        read = ReadTable(rows);
    }
    if (read)
        table = std::move(rows);
    return table.size();
}
