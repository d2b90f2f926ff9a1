// What the drivers list derives from a base name, a path and the registry's numbers.
#include "main/services/DriversView.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "tests/harness/TestSupport.h"

namespace {

class DriversViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseSourceLanguage(); }
};

TEST_F(DriversViewTest, KindFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(DriverKindText("ntoskrnl.SYS"), "System driver");
    EXPECT_EQ(DriverKindImage("ntoskrnl.SYS"), DriverImageSystem);
    EXPECT_EQ(DriverKindText("hal.Dll"), "Program library");
    EXPECT_EQ(DriverKindImage("hal.Dll"), DriverImageLibrary);
    EXPECT_EQ(DriverKindText("kdcom.exe"), "EXE-Datei");
    EXPECT_EQ(DriverKindImage("kdcom.exe"), DriverImageFile);
    // Only the last extension counts; a name without one has an empty kind before "-Datei".
    EXPECT_EQ(DriverKindText("a.sys.bak"), "BAK-Datei");
    EXPECT_EQ(DriverKindText("noextension"), "-Datei");
    EXPECT_EQ(DriverKindImage("noextension"), DriverImageFile);
}

TEST_F(DriversViewTest, BareNamesLiveInTheDriversFolder) {
    EXPECT_EQ(DriverFullPath("null.sys", "C:\\windows\\system32"), "C:\\windows\\system32\\drivers\\null.sys");
    EXPECT_EQ(DriverFullPath("C:\\windows\\system32\\drivers\\null.sys", "X:"),
              "C:\\windows\\system32\\drivers\\null.sys");
    EXPECT_EQ(DriverFullPath("", "C:\\windows\\system32"), "");
}

TEST_F(DriversViewTest, ServiceKeyDropsTheExtension) {
    EXPECT_EQ(DriverServiceKey("mountmgr.sys"), "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\mountmgr");
    EXPECT_EQ(DriverServiceKey("a.b.sys"), "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\a.b");
    EXPECT_EQ(DriverServiceKey("plain"), "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\plain");
}

TEST_F(DriversViewTest, RegistryNumbersMapToTextsAndMissingValuesStayEmpty) {
    EXPECT_EQ(DriverStartText("3"), "Manual");
    EXPECT_EQ(DriverTypeText("1"), "Kernel driver");
    // An unreadable value reads as empty text; it must not show as "Boot" (start type 0).
    EXPECT_EQ(DriverStartText(""), "");
    EXPECT_EQ(DriverTypeText(""), "");
    EXPECT_EQ(DriverStartText("9"), "");
    EXPECT_EQ(DriverTypeText("3x"), "");
}

}  // namespace
