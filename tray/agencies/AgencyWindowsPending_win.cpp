#include "tray/agencies/AgencyWindows_win.h"

// Stand-ins until the agency windows land; this file goes when they do.
AgencyLists& TheAgencies() {
    static AgencyLists lists;
    return lists;
}
void SaveAgencies() {}
namespace {
bool g_agencyUiEnabled = true;
}
void EnableAgencyUi(bool enabled) {
    g_agencyUiEnabled = enabled;
}
bool AgencyUiEnabled() {
    return g_agencyUiEnabled;
}
