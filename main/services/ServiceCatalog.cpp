#include "main/services/ServiceCatalog.h"

namespace {

const ServiceEntry* CurrentEntry() {
    const ServiceCatalog& catalog = ProgramServiceCatalog();
    if (catalog.serviceCursor < 0 || static_cast<std::size_t>(catalog.serviceCursor) >= catalog.services.size()) {
        return nullptr;
    }
    return &catalog.services[static_cast<std::size_t>(catalog.serviceCursor)];
}

}  // namespace

ServiceCatalog& ProgramServiceCatalog() {
    static ServiceCatalog catalog;
    return catalog;
}

void ClearServiceEntries(ServiceCatalog& catalog) {
    catalog.services.clear();
    catalog.serviceCursor = -1;
}

int NextService() {
    ServiceCatalog& catalog = ProgramServiceCatalog();
    const long count = static_cast<long>(catalog.services.size());
    if (catalog.serviceCursor < count) {
        ++catalog.serviceCursor;
    }
    return catalog.serviceCursor < count ? 1 : 0;
}

std::string CurrentServiceName() {
    const ServiceEntry* entry = CurrentEntry();
    return entry != nullptr ? entry->name : std::string();
}

std::string CurrentServiceDisplayName() {
    const ServiceEntry* entry = CurrentEntry();
    return entry != nullptr ? entry->displayName : std::string();
}

unsigned long CurrentServiceState() {
    const ServiceEntry* entry = CurrentEntry();
    return entry != nullptr ? entry->state : 0;
}

std::string ServiceBinaryPath() {
    return ProgramServiceCatalog().configuration.binaryPath;
}

long ServiceStartType() {
    return ProgramServiceCatalog().configuration.startType;
}

long ServiceType() {
    return ProgramServiceCatalog().configuration.serviceType;
}
