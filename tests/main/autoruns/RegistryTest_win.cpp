// The registry path operations against Wine's real registry, with Wine's reg.exe as the outside
// reader and writer. Every test works in a key of its own and removes it afterwards.
#include "main/autoruns/Registry_win.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>

#include "main/LibraryTable_win.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/autoruns/ConsoleCommand_win.h"

namespace {

// The tests make and inspect their keys with every right, in the program's own view.
constexpr REGSAM kTestAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

struct RegQueryAnswer {
    bool found = false;
    std::string type;
    std::string data;
};

// reg.exe's view of one value ("" = the default value); `view` is "/reg:32" or "/reg:64".
RegQueryAnswer RegQuery(const std::string& keyPath, const std::string& valueName, const char* view = "/reg:32") {
    std::string command = "reg.exe query \"" + keyPath + "\" " +
                          (valueName.empty() ? std::string("/ve") : "/v \"" + valueName + "\"") + " " + view;
    ConsoleResult result = RunConsoleCommand(command);
    RegQueryAnswer answer;
    for (const std::string& line : OutputLines(result.output)) {
        std::vector<std::string> columns = ColumnsOf(line);
        if (columns.size() >= 2 && columns[1].compare(0, 4, "REG_") == 0 &&
            (columns[0] == valueName || (valueName.empty() && columns[0] == "(Default)"))) {
            answer.found = true;
            answer.type = columns[1];
            answer.data = columns.size() >= 3 ? columns[2] : std::string();
        }
    }
    return answer;
}

// Removes the keys of killed earlier runs (named with a process id that no longer runs).
void RemoveLeftOverKeys(HKEY root, const char* prefix) {
    HKEY software = nullptr;
    if (RegOpenKeyExA(root, "Software", 0, kTestAccess, &software) != ERROR_SUCCESS) {
        return;
    }
    std::vector<std::string> leftOver;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(software, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (IsLeftOverTestName(name, prefix)) {
            leftOver.push_back(name);
        }
    }
    for (const std::string& key : leftOver) {
        SHDeleteKeyA(software, key.c_str());
    }
    RegCloseKey(software);
}

class RegistryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        OpenLibraryTable();
        RemoveLeftOverKeys(HKEY_CURRENT_USER, "VantrelTestRegistry");
    }
    void SetUp() override {
        subKey = "Software\\VantrelTestRegistry" + std::to_string(GetCurrentProcessId());
        path = "HKEY_CURRENT_USER\\" + subKey;
        ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey), ERROR_SUCCESS);
    }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str()); }

    static LONG CreateKey(HKEY root, const std::string& name) {
        HKEY key = nullptr;
        LONG result = RegCreateKeyExA(root, name.c_str(), 0, nullptr, 0, kTestAccess, nullptr, &key, nullptr);
        if (result == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
        return result;
    }
    LONG SetRaw(const std::string& valueName, DWORD type, const void* data, DWORD length) {
        HKEY key = nullptr;
        LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, kTestAccess, &key);
        if (result == ERROR_SUCCESS) {
            result = RegSetValueExA(key, valueName.c_str(), 0, type, static_cast<const BYTE*>(data), length);
            RegCloseKey(key);
        }
        return result;
    }

    std::string subKey;
    std::string path;
};

TEST_F(RegistryTest, EachValueTypeReadsBackAndReadsTheSameInRegExe) {
    ASSERT_EQ(WriteRegistryValue(path, "Text", "C:\\Program Files\\run.exe /q", kRegistryString), 1);
    ASSERT_EQ(WriteRegistryValue(path, "Expand", "%SystemRoot%\\notepad.exe", kRegistryExpandString), 1);
    ASSERT_EQ(WriteRegistryValue(path, "Binary", "0aFF", kRegistryBinary), 1);
    ASSERT_EQ(WriteRegistryValue(path, "Four", "4", kRegistryDword), 1);
    ASSERT_EQ(WriteRegistryValue(path, "MinusOne", "-1", kRegistryDword), 1);
    ASSERT_EQ(WriteRegistryValue(path, "", "default text", kRegistryString), 1);

    EXPECT_EQ(ReadRegistryValue(path, "Text"), "C:\\Program Files\\run.exe /q");
    EXPECT_EQ(ReadRegistryValue(path, "Expand"), "%SystemRoot%\\notepad.exe");  // not expanded
    EXPECT_EQ(ReadRegistryValue(path, "Binary"), "0AFF");
    EXPECT_EQ(ReadRegistryValue(path, "Four"), "4");
    EXPECT_EQ(ReadRegistryValue(path, "MinusOne"), "-1");
    EXPECT_EQ(ReadRegistryValue(path, ""), "default text");

    struct Expected {
        const char* name;
        const char* type;
        const char* data;
    } expected[] = {
        {"Text", "REG_SZ", "C:\\Program Files\\run.exe /q"},
        {"Expand", "REG_EXPAND_SZ", "%SystemRoot%\\notepad.exe"},
        {"Binary", "REG_BINARY", "0AFF"},
        {"Four", "REG_DWORD", "0x4"},
        {"MinusOne", "REG_DWORD", "0xffffffff"},
        {"", "REG_SZ", "default text"},
    };
    for (const Expected& value : expected) {
        RegQueryAnswer answer = RegQuery(path, value.name);
        ASSERT_TRUE(answer.found) << "reg.exe does not show the value \"" << value.name << "\"";
        EXPECT_EQ(answer.type, value.type) << value.name;
        EXPECT_EQ(answer.data, value.data) << value.name;
    }
}

TEST_F(RegistryTest, ValuesWrittenByRegExeReadAsText) {
    std::string key = "\"" + path + "\"";
    ASSERT_EQ(RunConsoleCommand("reg.exe add " + key + " /v Dword /t REG_DWORD /d 4294967294 /f /reg:32").exitCode, 0);
    ASSERT_EQ(RunConsoleCommand("reg.exe add " + key + " /v Bytes /t REG_BINARY /d 00ab10 /f /reg:32").exitCode, 0);
    ASSERT_EQ(RunConsoleCommand("reg.exe add " + key + " /v Words /t REG_SZ /d \"two words\" /f /reg:32").exitCode, 0);
    ASSERT_EQ(RunConsoleCommand("reg.exe add " + key + " /v Multi /t REG_MULTI_SZ /d a\\0b /f /reg:32").exitCode, 0);

    EXPECT_EQ(ReadRegistryValue(path, "Dword"), "-2");
    EXPECT_EQ(ReadRegistryValue(path, "Bytes"), "00AB10");
    EXPECT_EQ(ReadRegistryValue(path, "Words"), "two words");
    EXPECT_EQ(ReadRegistryValue(path, "Multi"), "");  // not one of the four types
    EXPECT_EQ(RegistryValueExists(path, "Multi"), 1);
}

TEST_F(RegistryTest, RootNamesMatchInAnyCaseButAbbreviationsFail) {
    ASSERT_EQ(WriteRegistryValue(path, "Name", "value", kRegistryString), 1);

    std::string lowerCase = "hkey_current_user\\" + subKey;
    EXPECT_EQ(ReadRegistryValue(lowerCase, "Name"), "value");
    EXPECT_EQ(RegistryKeyExists(lowerCase), 1);
    EXPECT_EQ(ReadRegistryValue("HKEY_CURRENT_USER\\\\" + subKey, "Name"), "value");  // doubled backslash

    std::string abbreviated = "HKCU\\" + subKey;
    EXPECT_EQ(RootKeyOfPath(abbreviated), nullptr);
    EXPECT_EQ(ReadRegistryValue(abbreviated, "Name"), "");
    EXPECT_EQ(WriteRegistryValue(abbreviated, "Other", "x", kRegistryString), 0);
    EXPECT_EQ(RegistryKeyExists(abbreviated), 0);
    EXPECT_EQ(RegistryValueExists(abbreviated, "Name"), 0);
    EXPECT_EQ(RegistryValueName(abbreviated, 0), "");
    EXPECT_EQ(DeleteRegistryValue(abbreviated, "Name"), 0);
    EXPECT_EQ(DeleteRegistryKey(abbreviated), 0);
    EXPECT_EQ(RegistryKeyExists("HKLM\\Software"), 0);
    EXPECT_EQ(RegistryValueExists(path, "Other"), 0);
    EXPECT_EQ(RegistryValueExists(path, "Name"), 1);

    // A bare root name is taken as a subkey of that root, which does not exist.
    EXPECT_EQ(RegistryKeyExists("HKEY_CURRENT_USER"), 0);
    EXPECT_EQ(RegistrySubKeyName("HKEY_CURRENT_USER", 0), "");
    EXPECT_EQ(RegistryKeyExists("HKEY_CURRENT_USER\\Software"), 1);
}

TEST_F(RegistryTest, TextsBeyondTheBufferReadAsEmpty) {
    std::string longText(300, 'x');
    ASSERT_EQ(WriteRegistryValue(path, "Long", longText, kRegistryString), 1);
    EXPECT_EQ(ReadRegistryValue(path, "Long"), "");
    EXPECT_EQ(RegQuery(path, "Long").data, longText);  // stored whole all the same

    // 254 characters and the zero fill the 255-byte buffer exactly; one more does not fit.
    std::string fits(254, 'f');
    std::string tooLong(255, 't');
    ASSERT_EQ(WriteRegistryValue(path, "Fits", fits, kRegistryString), 1);
    ASSERT_EQ(WriteRegistryValue(path, "TooLong", tooLong, kRegistryExpandString), 1);
    EXPECT_EQ(ReadRegistryValue(path, "Fits"), fits);
    EXPECT_EQ(ReadRegistryValue(path, "TooLong"), "");

    std::string longBytes(600, 'A');  // 300 bytes of 0xAA
    ASSERT_EQ(WriteRegistryValue(path, "LongBinary", longBytes, kRegistryBinary), 1);
    EXPECT_EQ(ReadRegistryValue(path, "LongBinary"), "");

    // A name too long for the buffer comes back empty and so ends an enumeration.
    std::string subPath = path + "\\Names";
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey + "\\Names"), ERROR_SUCCESS);
    ASSERT_EQ(WriteRegistryValue(subPath, std::string(300, 'n'), "x", kRegistryString), 1);
    EXPECT_EQ(RegistryValueName(subPath, 0), "");
    EXPECT_EQ(RegistryValueExists(subPath, std::string(300, 'n')), 1);
}

TEST_F(RegistryTest, MissingValuesAndUnreadableDwords) {
    EXPECT_EQ(ReadRegistryValue(path, "Missing"), "");
    EXPECT_EQ(ReadRegistryValue(path + "\\NoSuchKey", "Missing"), "");
    EXPECT_EQ(RegistryKeyExists(path + "\\NoSuchKey"), 0);

    // A REG_DWORD stored with eight bytes does not fit the integer it is read into.
    unsigned long long wide = 5;
    ASSERT_EQ(SetRaw("WideDword", REG_DWORD, &wide, sizeof(wide)), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryValue(path, "WideDword"), "0");
    // A string stored without its terminating zero keeps all its characters.
    ASSERT_EQ(SetRaw("NoZero", REG_SZ, "abc", 3), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryValue(path, "NoZero"), "abc");
    ASSERT_EQ(SetRaw("EmptyText", REG_SZ, "", 0), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryValue(path, "EmptyText"), "");
}

TEST_F(RegistryTest, WritesNeverCreateKeysAndRefuseBadData) {
    EXPECT_EQ(WriteRegistryValue(path + "\\NoSuchKey", "Name", "x", kRegistryString), 0);
    EXPECT_EQ(RegistryKeyExists(path + "\\NoSuchKey"), 0);

    EXPECT_EQ(WriteRegistryValue(path, "Multi", "a", 7), 0);  // REG_MULTI_SZ is not handled
    EXPECT_EQ(RegistryValueExists(path, "Multi"), 0);
    EXPECT_EQ(WriteRegistryValue(path, "Bad", "0aZZ", kRegistryBinary), 0);
    EXPECT_EQ(RegistryValueExists(path, "Bad"), 0);

    ASSERT_EQ(WriteRegistryValue(path, "Start", "3", kRegistryDword), 1);
    ASSERT_EQ(WriteRegistryValue(path, "Start", "4", kRegistryDword), 1);  // overwrites
    EXPECT_EQ(ReadRegistryValue(path, "Start"), "4");
    EXPECT_EQ(DeleteRegistryValue(path, "Start"), 1);
    EXPECT_EQ(RegistryValueExists(path, "Start"), 0);
    EXPECT_EQ(DeleteRegistryValue(path, "Start"), 0);
}

TEST_F(RegistryTest, EnumerationStopsAtTheDefaultValueAndAtTheEnd) {
    std::string plain = path + "\\Plain";
    std::string withDefault = path + "\\WithDefault";
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey + "\\Plain"), ERROR_SUCCESS);
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey + "\\WithDefault"), ERROR_SUCCESS);
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        ASSERT_EQ(WriteRegistryValue(plain, name, "x", kRegistryString), 1);
    }
    ASSERT_EQ(WriteRegistryValue(withDefault, "", "default", kRegistryString), 1);
    ASSERT_EQ(WriteRegistryValue(withDefault, "Alpha", "x", kRegistryString), 1);

    std::vector<std::string> names;
    for (unsigned long i = 0;; ++i) {
        std::string name = RegistryValueName(plain, i);
        if (name.empty()) {
            break;
        }
        names.push_back(name);
        ASSERT_LT(i, 10u);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));

    // The registry lists the default value first here, so the enumeration yields nothing.
    EXPECT_EQ(RegistryValueName(withDefault, 0), "");
    EXPECT_EQ(RegistryValueExists(withDefault, "Alpha"), 1);

    std::vector<std::string> subKeys;
    for (unsigned long i = 0; !RegistrySubKeyName(path, i).empty(); ++i) {
        subKeys.push_back(RegistrySubKeyName(path, i));
        ASSERT_LT(i, 10u);
    }
    EXPECT_EQ(subKeys, (std::vector<std::string>{"Plain", "WithDefault"}));
}

TEST_F(RegistryTest, DeletingAKeyWithSubkeysFailsAndLeavesIt) {
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey + "\\Parent\\Child"), ERROR_SUCCESS);
    std::string parent = path + "\\Parent";
    ASSERT_EQ(WriteRegistryValue(parent, "Keep", "me", kRegistryString), 1);

    EXPECT_EQ(DeleteRegistryKey(parent), 0);
    EXPECT_EQ(RegistryKeyExists(parent + "\\Child"), 1);
    EXPECT_EQ(ReadRegistryValue(parent, "Keep"), "me");

    EXPECT_EQ(DeleteRegistryKey("HKEY_CURRENT_USER\\\\" + subKey + "\\Parent\\Child"), 1);
    EXPECT_EQ(RegistryKeyExists(parent + "\\Child"), 0);
    EXPECT_EQ(DeleteRegistryKey(parent), 1);
    EXPECT_EQ(RegistryKeyExists(parent), 0);
    EXPECT_EQ(DeleteRegistryKey(parent), 0);
    EXPECT_EQ(RegistryKeyExists(path), 1);
    EXPECT_EQ(DeleteRegistryKey("HKEY_CURRENT_USER\\"), 0);  // never the root itself
}

// A key everyone may read and nobody may write, as much of HKEY_LOCAL_MACHINE is for a normal user.
TEST_F(RegistryTest, AKeyTheUserMayOnlyReadIsReadButNotWritten) {
    std::string readOnly = path + "\\ReadOnly";
    ASSERT_EQ(CreateKey(HKEY_CURRENT_USER, subKey + "\\ReadOnly\\Child"), ERROR_SUCCESS);
    ASSERT_EQ(WriteRegistryValue(readOnly, "Name", "value", kRegistryString), 1);
    ASSERT_EQ(SetRegistryKeySecurity(HKEY_CURRENT_USER, subKey + "\\ReadOnly", "D:P(A;;KR;;;WD)"), ERROR_SUCCESS);
    HKEY probe = nullptr;
    LONG denied = RegOpenKeyExA(HKEY_CURRENT_USER, (subKey + "\\ReadOnly").c_str(), 0, KEY_SET_VALUE, &probe);
    if (denied == ERROR_SUCCESS) {
        RegCloseKey(probe);
    }
    ASSERT_EQ(denied, ERROR_ACCESS_DENIED) << "the key's security does not keep writers out";

    EXPECT_EQ(RegistryKeyExists(readOnly), 1);
    EXPECT_EQ(ReadRegistryValue(readOnly, "Name"), "value");
    EXPECT_EQ(RegistryValueExists(readOnly, "Name"), 1);
    EXPECT_EQ(RegistryValueName(readOnly, 0), "Name");
    EXPECT_EQ(RegistrySubKeyName(readOnly, 0), "Child");
    EXPECT_EQ(WriteRegistryValue(readOnly, "Name", "changed", kRegistryString), 0);
    EXPECT_EQ(DeleteRegistryValue(readOnly, "Name"), 0);
    EXPECT_EQ(ReadRegistryValue(readOnly, "Name"), "value");

    EXPECT_EQ(SetRegistryKeySecurity(HKEY_CURRENT_USER, subKey + "\\ReadOnly", "D:P(A;;KA;;;WD)"), ERROR_SUCCESS);
}

// On 64-bit Windows HKEY_LOCAL_MACHINE\Software has a 32-bit and a 64-bit view; reg.exe names them
// /reg:32 and /reg:64. Each operation reaches only the view it is given.
TEST(RegistryView, EachViewIsReadWrittenAndDeletedInItselfOnly) {
    OpenLibraryTable();
    // 32-bit Windows has no WoW64 folder, and just the one view.
    char wow64Folder[MAX_PATH];
    EXPECT_EQ(HasSecondRegistryView(), GetSystemWow64DirectoryA(wow64Folder, MAX_PATH) != 0);
    if (!HasSecondRegistryView()) {
        GTEST_SKIP() << "one registry view only";
    }
    std::string path = "HKEY_LOCAL_MACHINE\\Software\\VantrelTestRegistryView" + std::to_string(GetCurrentProcessId());
    std::string quoted = "\"" + path + "\"";
    for (const char* view : {"/reg:32", "/reg:64"}) {
        RunConsoleCommand("reg.exe delete " + quoted + " /f " + view);  // left over by a killed run
        std::string bits = view + 5;
        if (RunConsoleCommand("reg.exe add " + quoted + " /v Bits /t REG_DWORD /d " + bits + " /f " + view).exitCode) {
            GTEST_SKIP() << "no write access to HKEY_LOCAL_MACHINE";
        }
        ASSERT_EQ(RunConsoleCommand("reg.exe add " + quoted + " /v Keep /d " + bits + " /f " + view).exitCode, 0);
    }

    EXPECT_EQ(ReadRegistryValue(path, "Bits", RegistryView::Bits64), "64");
    EXPECT_EQ(ReadRegistryValue(path, "Bits", RegistryView::Bits32), "32");
    EXPECT_EQ(ReadRegistryValue(path, "Bits"), "32");  // the program's own view unless told otherwise
    EXPECT_EQ(RegistryValueName(path, 1, RegistryView::Bits64), "Keep");

    EXPECT_EQ(WriteRegistryValue(path, "Written", "here", kRegistryString, RegistryView::Bits64), 1);
    EXPECT_EQ(RegQuery(path, "Written", "/reg:64").data, "here");
    EXPECT_FALSE(RegQuery(path, "Written", "/reg:32").found);
    EXPECT_EQ(RegistryValueExists(path, "Written", RegistryView::Bits64), 1);
    EXPECT_EQ(RegistryValueExists(path, "Written", RegistryView::Bits32), 0);

    EXPECT_EQ(DeleteRegistryValue(path, "Bits", RegistryView::Bits64), 1);
    EXPECT_FALSE(RegQuery(path, "Bits", "/reg:64").found);
    EXPECT_EQ(RegQuery(path, "Bits", "/reg:32").data, "0x20");

    EXPECT_EQ(DeleteRegistryKey(path, RegistryView::Bits64), 1);
    EXPECT_FALSE(RegQuery(path, "Keep", "/reg:64").found);
    EXPECT_EQ(RegistryKeyExists(path, RegistryView::Bits64), 0);
    EXPECT_EQ(RegQuery(path, "Keep", "/reg:32").data, "32");
    EXPECT_EQ(DeleteRegistryKey(path, RegistryView::Bits32), 1);
    EXPECT_FALSE(RegQuery(path, "Keep", "/reg:32").found);
}

}  // namespace
