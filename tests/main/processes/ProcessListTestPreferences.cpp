#include "foundation/PreferencesDefaults.h"

namespace {
MainPreferences g_preferences;
}

const MainPreferences* TestPreferences() {
    return &g_preferences;
}

void SetTestTreeView(bool on) {
    g_preferences.PreferencesPPIDView = on ? 1 : 0;
}

void SetTestCpuHistory(bool on, int windowWidth) {
    g_preferences.PreferencesCPUPerProcess = on ? 1 : 0;
    g_preferences.Window.Width = windowWidth;
}
