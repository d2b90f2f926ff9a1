// Driver files exist only in the native system folder: on 64-bit Windows a 32-bit program must
// still show their sizes and version texts instead of missing-file placeholders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "main/LibraryTable_win.h"
#include "main/RowTable.h"
#include "main/services/DriversView.h"
#include "main/services/ServicesView_win.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/services/ServiceTestSupport_win.h"

namespace {

std::string WindowsFolder() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    return windows;
}

// The native system folder as this test reaches it; empty on 32-bit Windows.
std::string NativeSystemFolder() {
    BOOL underWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &underWow64);
    if (sizeof(void*) == 8)
        return WindowsFolder() + "\\System32";
    return underWow64 ? WindowsFolder() + "\\Sysnative" : std::string();
}

class SystemFolderBinariesTest : public ::testing::Test {
protected:
    void SetUp() override {
        native = NativeSystemFolder();
        if (native.empty())
            GTEST_SKIP() << "32-bit Windows has a single system folder";
        UseSourceLanguage();
        OpenLibraryTable();
        name = "vantrel_native_only_" + std::to_string(GetCurrentProcessId());
        source = TestProgramFolder() + "..\\processes\\namesake_real.exe";
        ASSERT_TRUE(GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &real))
            << source << ": " << LastError();
    }
    std::string native;
    std::string name;
    std::string source;  // the 64-bit test program, with a version resource
    WIN32_FILE_ATTRIBUTE_DATA real{};
};

TEST_F(SystemFolderBinariesTest, ADriverFileShowsItsSizeAndTexts) {
    std::string file = native + "\\drivers\\" + name + ".sys";
    ASSERT_TRUE(CopyFileA(source.c_str(), file.c_str(), FALSE)) << LastError();
    RowTable table = MakeRowTable(DriverColumnCount);
    size_t row =
        AppendDriverRow(table, ReadDriverRecord(name + ".sys", "\\SystemRoot\\System32\\drivers\\" + name + ".sys",
                                                WindowsFolder() + "\\System32"));
    DeleteFileA(file.c_str());
    EXPECT_EQ(Cell(table, row, 7), FormatBytes64(real.nFileSizeLow, 2));
    EXPECT_EQ(Cell(table, row, 2), "REAL");
    EXPECT_EQ(Cell(table, row, 5), "REAL company");
}

}  // namespace
