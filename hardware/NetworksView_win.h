#pragma once
// The networks view (ViewNetworks): the interfaces with their rates, the details of the selected
// one, the highest utilisation, and the traffic graph of every interface's utilisation.

#include <windows.h>

#include "hardware/NetworkInterfaces.h"
#include "main/TableListView_win.h"

TableListView& NetworksList();
void CreateNetworksView(HWND view, HFONT font);
void LayoutNetworksView(int width, int height);
// Reads the interface table afresh and rebuilds the list with sort, selection and scroll kept.
void RefreshNetworkList();
// The details panel for the selected row, or the prompt to choose one.
void ShowInterfaceDetails();
// The interface that a row of the list shows, as last read; null when it is gone.
const NetworkInterface* NetworkInterfaceOfRow(size_t row);
// The highest utilisation of any interface at the last refresh, 0..100.
int NetworkHighestUtilisation();
// The graph timer's step of the traffic graph.
void StepTrafficGraph();
// The list's notifications; true when they were the networks list's.
bool HandleNetworksListNotification(const NMHDR& header, LRESULT& result);
