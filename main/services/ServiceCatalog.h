#pragma once

#include <string>
#include <vector>

// What the service manager told us, as plain records: the Win32 services of the last enumeration
// with a cursor over them, and the configuration of the last service queried. The manager layer
// fills it; the lists read it through the functions below.

struct ServiceEntry {
    std::string name;
    std::string displayName;
    unsigned long state = 0;  // dwCurrentState
};

// Empty text and -1 stand for a configuration that could not be read.
struct ServiceConfiguration {
    std::string binaryPath;
    long startType = -1;
    long serviceType = -1;
};

struct ServiceCatalog {
    std::vector<ServiceEntry> services;  // in the order the manager returned them
    long serviceCursor = -1;             // before the first entry until NextService moves onto it
    ServiceConfiguration configuration;
};

// The program's one catalog.
ServiceCatalog& ProgramServiceCatalog();

// Drops the entries and puts the cursor before the first place.
void ClearServiceEntries(ServiceCatalog& catalog);

// Moves to the next entry (the first one on the first call); 0 when every entry has been visited.
int NextService();
std::string CurrentServiceName();
std::string CurrentServiceDisplayName();
// dwCurrentState of the entry at the cursor; 0 when the cursor is on none.
unsigned long CurrentServiceState();

// Fields of the last configuration: empty text or -1 when there is none.
std::string ServiceBinaryPath();
long ServiceStartType();
long ServiceType();
