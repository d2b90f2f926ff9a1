#include "main/Menus.h"

#include "main/CommandIds.h"
#include "main/UnbuiltCommands.h"
#include "main/View.h"

namespace {

struct MenuBuilder {
    const MenuConditions& conditions;
    std::vector<MenuEntry> entries;

    // An entry that opens a window of its own ends in "...".
    void Item(int command, LanguageKey key, bool dialog = false) {
        Text(command, LanguageText(key) + (dialog ? "..." : ""));
    }
    void Text(int command, const std::string& text) {
        MenuEntry entry;
        entry.command = command;
        entry.text = text;
        entry.enabled = IsCommandBuilt(command) || !conditions.unbuiltGreyed;
        entries.push_back(entry);
    }
    void Separator() {
        MenuEntry entry;
        entry.kind = MenuEntryKind::Separator;
        entries.push_back(entry);
    }
    void Submenu(const std::string& text, std::vector<MenuEntry> items) {
        MenuEntry entry;
        entry.kind = MenuEntryKind::Submenu;
        entry.text = text;
        entry.entries = std::move(items);
        entries.push_back(std::move(entry));
    }
    MenuBuilder Nested() const { return MenuBuilder{conditions, {}}; }

    void RefreshAndSearch() {
        Item(CommandRefresh, LanguageKey::Refresh);
        Item(CommandSearch, LanguageKey::Search);
    }
    // The rating database's entries; the processes' menu takes them away with the database switched off.
    void DatabaseItems(bool followSetting) {
        size_t first = entries.size();
        Item(CommandDatabaseQuery, LanguageKey::DatabaseQuery);
        Item(CommandDatabaseUpdate, LanguageKey::DatabaseUpdate, true);
        Item(CommandDatabaseDelete, LanguageKey::DatabaseDelete, true);
        Item(CommandDatabaseChangeProfile, LanguageKey::DatabaseChangeProfile, true);
        for (size_t i = first; followSetting && i < entries.size(); ++i) {
            entries[i].enabled = entries[i].enabled && conditions.useDatabase;
        }
    }
};

std::vector<MenuEntry> ProcessMenu(MenuBuilder menu, int processorCount) {
    menu.Item(CommandRefresh, LanguageKey::Refresh);
    menu.Separator();
    menu.Item(CommandSearch, LanguageKey::Search);
    menu.Separator();
    menu.Item(CommandRun, LanguageKey::RunProcess, true);
    menu.Separator();
    menu.DatabaseItems(true);
    menu.Separator();
    MenuBuilder priority = menu.Nested();
    priority.Item(CommandPriorityRealtime, LanguageKey::PriorityShortRealtime);
    priority.Item(CommandPriorityHigh, LanguageKey::PriorityShortHigh);
    priority.Item(CommandPriorityAboveNormal, LanguageKey::PriorityShortIncreased);
    priority.Item(CommandPriorityNormal, LanguageKey::PriorityShortDefault);
    priority.Item(CommandPriorityBelowNormal, LanguageKey::PriorityShortDecreased);
    priority.Item(CommandPriorityIdle, LanguageKey::PriorityShortLow);
    menu.Submenu(LanguageText(LanguageKey::Priority), std::move(priority.entries));
    MenuBuilder processors = menu.Nested();
    for (int p = 1; p <= processorCount && CommandProcessorFirst + p - 1 <= CommandProcessorLast; ++p) {
        processors.Text(CommandProcessorFirst + p - 1, "#" + std::to_string(p) + " ");
    }
    menu.Submenu(LanguageText(LanguageKey::Processor), std::move(processors.entries));
    menu.Separator();
    menu.Item(CommandPauseProcess, LanguageKey::PauseProcess);
    menu.Item(CommandResumeProcess, LanguageKey::ResumeProcess);
    menu.Separator();
    menu.Item(CommandDiagram, LanguageKey::ShowDiagram);
    menu.Item(CommandEnd, LanguageKey::EndProcess);
    menu.Item(CommandWebSearch, LanguageKey::SearchProcess);
    menu.Item(CommandProcessInformation, LanguageKey::ShowProcessInformation);
    menu.Separator();
    menu.Item(CommandOptimizeProcess, LanguageKey::OptimizeProcess);
    menu.Item(CommandDeleteProcess, LanguageKey::DeleteProcess);
    menu.Separator();
    menu.Item(CommandExploreProcessFolder, LanguageKey::ExploreFolder);
    menu.Item(CommandJumpToParent, LanguageKey::JumpToPPID);
    return std::move(menu.entries);
}

std::vector<MenuEntry> WindowMenu(MenuBuilder menu) {
    menu.RefreshAndSearch();
    menu.Separator();
    MenuBuilder transparency = menu.Nested();
    transparency.Item(CommandTransparencyNone, LanguageKey::NoTransparency);
    for (int step = 1; step <= 9; ++step) {
        transparency.Text(CommandTransparencyNone + step, std::to_string(step * 10) + "%");
    }
    menu.Submenu("Transparenz", std::move(transparency.entries));
    menu.Item(CommandWindowForeground, LanguageKey::Foreground);
    menu.Item(CommandWindowHidden, LanguageKey::Hidden);
    menu.Item(CommandWindowDeactivated, LanguageKey::Deactivated);
    menu.Separator();
    menu.Item(CommandWindowMinimize, LanguageKey::Minimize);
    menu.Item(CommandWindowMaximize, LanguageKey::Maximize);
    menu.Item(CommandWindowRestore, LanguageKey::Restore);
    menu.Item(CommandWindowRepairPosition, LanguageKey::RepairPosition);
    menu.Separator();
    menu.Item(CommandEnd, LanguageKey::Close);
    menu.Separator();
    menu.Item(CommandWindowProcessInformation, LanguageKey::ShowProcessInformation);
    menu.Item(CommandWindowJumpProcess, LanguageKey::JumpProcess);
    menu.Item(CommandWindowJumpWindow, LanguageKey::JumpWindow);
    return std::move(menu.entries);
}

std::vector<MenuEntry> ServiceMenu(MenuBuilder menu) {
    menu.RefreshAndSearch();
    menu.Item(CommandWebSearch, LanguageKey::SearchService);
    menu.Separator();
    menu.Item(CommandServiceStart, LanguageKey::ServiceStarting);
    menu.Item(CommandServiceStop, LanguageKey::ServiceStopping);
    menu.Separator();
    menu.Item(CommandServicePause, LanguageKey::ServicePausing);
    menu.Item(CommandServiceContinue, LanguageKey::ServiceContinuing);
    menu.Separator();
    menu.Item(CommandServiceDisabled, LanguageKey::ServiceRunDeactivated);
    menu.Item(CommandServiceAutomatic, LanguageKey::ServiceRunAutomatic);
    menu.Item(CommandServiceManual, LanguageKey::ServiceRunManual);
    return std::move(menu.entries);
}

std::vector<MenuEntry> DriverMenu(MenuBuilder menu) {
    menu.RefreshAndSearch();
    menu.Item(CommandWebSearch, LanguageKey::SearchDriver);
    menu.Item(CommandExploreDriverFolder, LanguageKey::ExploreFolder);
    return std::move(menu.entries);
}

std::vector<MenuEntry> AutorunMenu(MenuBuilder menu) {
    menu.RefreshAndSearch();
    menu.Item(CommandRun, LanguageKey::AddAutorun, true);
    menu.Separator();
    menu.DatabaseItems(false);
    menu.Separator();
    menu.Item(CommandEnd, LanguageKey::RemoveAutorun);
    menu.Item(CommandWebSearch, LanguageKey::SearchAutorun);
    menu.Item(CommandExploreAutorunSource, LanguageKey::ExploreSource);
    menu.Item(CommandExploreAutorunTarget, LanguageKey::ExploreDestination);
    return std::move(menu.entries);
}

}  // namespace

std::vector<MenuEntry> MenuBarEntries(const std::string& user, const MenuConditions& conditions) {
    MenuBuilder bar{conditions, {}};
    MenuBuilder file = bar.Nested();
    file.Item(CommandExportAll, LanguageKey::ExportAll, true);
    file.Separator();
    file.Item(CommandExportProcesses, LanguageKey::ExportProcesslist, true);
    file.Item(CommandExportWindows, LanguageKey::ExportWindowlist, true);
    file.Item(CommandExportServices, LanguageKey::ExportServicelist, true);
    file.Item(CommandExportDrivers, LanguageKey::ExportDriverlist, true);
    file.Item(CommandExportNetworks, LanguageKey::ExportNetworklist, true);
    file.Item(CommandExportSmart, LanguageKey::ExportSMARTlist, true);
    file.Item(CommandExportAutoruns, LanguageKey::ExportAutorunlist, true);
    file.Separator();
    file.Item(CommandPreferences, LanguageKey::Preferences);
    file.Separator();
    file.Item(CommandClose, LanguageKey::Close);
    bar.Submenu(LanguageText(LanguageKey::File), std::move(file.entries));

    MenuBuilder view = bar.Nested();
    for (int v = 0; v < ViewCount; ++v) {
        view.Item(CommandViewFirst + v, ViewName(v));
    }
    bar.Submenu(LanguageText(LanguageKey::View), std::move(view.entries));

    MenuBuilder system = bar.Nested();
    system.Item(CommandShutdown, LanguageKey::Shutdown);
    system.Item(CommandReboot, LanguageKey::Reboot);
    system.Item(CommandStandby, LanguageKey::Standby);
    system.Item(CommandHibernate, LanguageKey::Hibernate);
    system.Text(CommandLogoff, LanguageTextWith(LanguageKey::Logoff, user));
    system.Item(CommandLock, LanguageKey::Lock);
    bar.Submenu(LanguageText(LanguageKey::System), std::move(system.entries));

    MenuBuilder help = bar.Nested();
    help.Item(CommandOpenHelp, LanguageKey::OpenHelp);
    help.Separator();
    help.Item(CommandAbout, LanguageKey::About);
    bar.Submenu(LanguageText(LanguageKey::Help), std::move(help.entries));
    return std::move(bar.entries);
}

std::vector<MenuEntry> ContextMenuEntries(int menu, int processorCount, const MenuConditions& conditions) {
    MenuBuilder builder{conditions, {}};
    switch (menu) {
        case ContextMenuProcesses:
            return ProcessMenu(builder, processorCount);
        case ContextMenuWindows:
            return WindowMenu(builder);
        case ContextMenuServices:
            return ServiceMenu(builder);
        case ContextMenuDrivers:
            return DriverMenu(builder);
        case ContextMenuSmart:
            builder.Item(CommandRefresh, LanguageKey::Refresh);
            return std::move(builder.entries);
        case ContextMenuAutoruns:
            return AutorunMenu(builder);
    }
    return {};
}
