#pragma once
// Which menu entries carry an icon and which icon each; MenuIcons_win decodes and draws them.

#include "main/CommandIds.h"
#include "resources/ResourceIds.h"

constexpr int kMenuIconSide = 16;
// The icon's column is a little wider than the icon, so the text does not touch it.
constexpr int kMenuIconColumnWidth = kMenuIconSide + 8;

struct CommandIcon {
    int command;
    int resource;
};

// Commands whose entries are check items (views, priorities, start types, window states,
// transparency, processors) are left out on purpose.
inline constexpr CommandIcon kCommandIcons[] = {
    {CommandExportAll, IDR_PNG_MENU_SAVE_AS},
    {CommandExportProcesses, IDR_PNG_MENU_SAVE},
    {CommandExportWindows, IDR_PNG_MENU_SAVE},
    {CommandExportServices, IDR_PNG_MENU_SAVE},
    {CommandExportDrivers, IDR_PNG_MENU_SAVE},
    {CommandExportNetworks, IDR_PNG_MENU_SAVE},
    {CommandExportSmart, IDR_PNG_MENU_SAVE},
    {CommandExportAutoruns, IDR_PNG_MENU_SAVE},
    {CommandPreferences, IDR_PNG_MENU_PREFERENCES},
    {CommandShutdown, IDR_PNG_MENU_SHUTDOWN},
    {CommandReboot, IDR_PNG_MENU_REBOOT},
    {CommandStandby, IDR_PNG_MENU_STANDBY},
    {CommandHibernate, IDR_PNG_MENU_HIBERNATE},
    {CommandLogoff, IDR_PNG_MENU_LOGOFF},
    {CommandLock, IDR_PNG_MENU_LOCK},
    {CommandOpenHelp, IDR_PNG_MENU_HELP},
    {CommandAbout, IDR_PNG_MENU_INFORMATION},
    {CommandRefresh, IDR_PNG_MENU_REFRESH},
    {CommandSearch, IDR_PNG_MENU_FIND},
    {CommandRun, IDR_PNG_MENU_RUN},
    {CommandDatabaseQuery, IDR_PNG_MENU_DATABASE},
    {CommandDatabaseUpdate, IDR_PNG_MENU_RATE},
    {CommandDatabaseDelete, IDR_PNG_MENU_DELETE},
    {CommandDatabaseChangeProfile, IDR_PNG_MENU_ACCOUNT},
    {CommandPauseProcess, IDR_PNG_MENU_PAUSE},
    {CommandResumeProcess, IDR_PNG_MENU_START},
    {CommandDiagram, IDR_PNG_MENU_DIAGRAM},
    {CommandEnd, IDR_PNG_MENU_STOP},
    {CommandWebSearch, IDR_PNG_MENU_WEB},
    {CommandProcessInformation, IDR_PNG_MENU_INFORMATION},
    {CommandWindowProcessInformation, IDR_PNG_MENU_INFORMATION},
    {CommandOptimizeProcess, IDR_PNG_MENU_OPTIMIZE},
    {CommandDeleteProcess, IDR_PNG_MENU_DELETE},
    {CommandExploreProcessFolder, IDR_PNG_MENU_FOLDER},
    {CommandExploreDriverFolder, IDR_PNG_MENU_FOLDER},
    {CommandExploreAutorunSource, IDR_PNG_MENU_FOLDER},
    {CommandExploreAutorunTarget, IDR_PNG_MENU_FOLDER},
    {CommandJumpToParent, IDR_PNG_MENU_UP},
    {CommandWindowJumpProcess, IDR_PNG_MENU_JUMP},
    {CommandWindowJumpWindow, IDR_PNG_MENU_JUMP},
    {CommandServiceStart, IDR_PNG_MENU_START},
    {CommandServiceStop, IDR_PNG_MENU_STOP_MEDIA},
    {CommandServicePause, IDR_PNG_MENU_PAUSE},
    {CommandServiceContinue, IDR_PNG_MENU_START},
};
