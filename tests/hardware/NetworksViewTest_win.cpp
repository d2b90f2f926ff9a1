// The networks view under Wine: the host's interfaces as rows, loopback traffic as a rate, and the
// details of the row the user selects.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>

#include "hardware/NetworkRows.h"
#include "hardware/NetworksView_win.h"
#include "main/CommandIds.h"
#include "tests/hardware/HostNetwork_win.h"
#include "tests/harness/TestSupport.h"

namespace {

// A view container as the main window's: the list's notifications reach the view's handler.
LRESULT CALLBACK ViewCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_NOTIFY && HandleNetworksListNotification(*reinterpret_cast<NMHDR*>(lParam), result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(NetworksViewWin, RowsRatesAndDetails) {
    UseSourceLanguage();
    InitCommonControls();
    WNDCLASSA viewClass{};
    viewClass.lpfnWndProc = ViewCallback;
    viewClass.lpszClassName = "NetworksTestView";
    RegisterClassA(&viewClass);
    HWND parent = CreateWindowExA(0, "NetworksTestView", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 400, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CreateNetworksView(parent, nullptr);
    LayoutNetworksView(620, 360);
    RefreshNetworkList();
    Sleep(50);
    SendLoopbackTraffic(100, 1000);
    Sleep(50);
    RefreshNetworkList();

    const RowTable& rows = *NetworksList().table;
    std::set<std::string> shown;
    for (size_t row = 0; row < RowCount(rows); ++row)
        shown.insert(Cell(rows, row, NetworkColumnAdapter));
    std::set<std::string> host;
    for (const auto& named : HostInterfaces())
        host.insert(named.first);
    EXPECT_EQ(host, shown);
    size_t loopback = FindRow(rows, NetworkColumnAdapter, "lo");
    ASSERT_NE(kNoRow, loopback);
    EXPECT_EQ(LanguageText(LanguageKey::NetworkLoopback), Cell(rows, loopback, NetworkColumnType));
    EXPECT_NE("", Cell(rows, loopback, NetworkColumnDownload));
    EXPECT_NE("", Cell(rows, loopback, NetworkColumnUpload));

    char title[256] = {};
    GetWindowTextA(GetDlgItem(parent, ControlNetworkDetailTitle), title, sizeof title);
    EXPECT_EQ(LanguageText(LanguageKey::ChooseNetworkAdapter), title);
    SelectOnlyRow(NetworksList(), loopback);  // the list reports the change as a click does
    GetWindowTextA(GetDlgItem(parent, ControlNetworkDetailTitle), title, sizeof title);
    EXPECT_STREQ("lo:", title);
    char labels[2048] = {};
    GetWindowTextA(GetDlgItem(parent, ControlNetworkDetailLabels), labels, sizeof labels);
    EXPECT_NE(std::string::npos, std::string(labels).find(LanguageText(LanguageKey::TotalReceived) + ":"));

    // The host's own notation of the adapter's address, "02:fc:...", as the panel writes it.
    size_t ethernet = FindRow(rows, NetworkColumnAdapter, "eth0");
    std::ifstream addressFile("Z:\\sys\\class\\net\\eth0\\address");
    std::string address;
    if (ethernet != kNoRow && std::getline(addressFile, address)) {
        for (char& c : address)
            c = c == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        SelectOnlyRow(NetworksList(), ethernet);
        char values[2048] = {};
        GetWindowTextA(GetDlgItem(parent, ControlNetworkDetailValues), values, sizeof values);
        EXPECT_NE(std::string::npos, std::string(values).find("\r\n" + address + "\r\n")) << values;
    }
    DestroyWindow(parent);
}
