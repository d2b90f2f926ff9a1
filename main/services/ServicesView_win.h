#pragma once
// The services list (ViewServices) and the drivers list (ViewDrivers): owner-data lists over row tables,
// rebuilt from scratch at every refresh with sort, selected row index and scroll position kept.

#include <windows.h>

#include <string>

#include "main/CommandIds.h"
#include "main/TableListView_win.h"
#include "main/services/ServiceRows.h"

TableListView& ServicesList();
void CreateServicesList(HWND view);
void RebuildServicesList();
// The service name of the current row, or empty text.
std::string SelectedServiceName();
// The services menu with its start type checked and the control items the state allows enabled.
void PrepareServicesMenu(HMENU menu);
// The service commands (CommandServiceStart to CommandServiceManual) on the selected service. RunServicesCommand shows
// the failure message itself; true when the action succeeded and the list was rebuilt.
bool IsServicesCommand(int id);
bool RunServicesCommand(int id);

TableListView& DriversList();
// What the lists show of one driver: its base name and the file name the system reports, read
// together with its file's texts and size and its registry values.
DriverRecord ReadDriverRecord(const std::string& baseName,
                              const std::string& fileName,
                              const std::string& systemFolder);
void CreateDriversList(HWND view);
void RebuildDriversList();
// The selected driver's base name and path, or empty texts.
std::string SelectedDriverName();
std::string SelectedDriverPath();
// CommandExploreDriverFolder: the folder of the selected driver in the shell.
void ExploreDriverFolder();

// The context menu a right click on either list asks for (ContextMenuServices or ContextMenuDrivers),
// or 0.
int ServiceListsContextMenu(const NMHDR& header);
// Both lists' notifications: texts, selection and header sorts.
bool HandleServiceListsNotification(const NMHDR& header, LRESULT& result);
// Moves a view's list over the whole view.
void LayoutServiceLists(int view, int width, int height);

// Web search (CommandWebSearch) for the selected service or driver (ViewServices, ViewDrivers): the
// template's "<%1>" replaced by the name, opened by the shell. Nothing happens without a selection.
void SearchSelectedServiceOnWeb(int view, const std::string& searchTemplate);
