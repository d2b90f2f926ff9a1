// The service layer and the service actions against Wine's service control manager, with sc.exe
// and reg.exe as outside references. The tests register a service of their own (a small program
// built beside this test) with sc.exe and delete it again at the end.
// Wine's manager grants a service handle whatever rights are asked (it checks no security when it
// opens one) but checks every call against the rights of its handle, so these tests catch a right
// too few for an operation, never one too many. Registry keys do keep Wine from granting too much:
// the description is read from a key that allows reading only.
#include "main/services/ServiceControl_win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "foundation/MessageBoxSeam.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/services/ServiceActions_win.h"
#include "main/services/ServiceTexts.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/autoruns/ConsoleCommand_win.h"
#include "tests/main/services/ServiceTestSupport_win.h"

namespace {

// One pass over the enumeration: name to state.
std::vector<std::pair<std::string, unsigned long>> ListServices() {
    std::vector<std::pair<std::string, unsigned long>> services;
    for (BeginServiceEnumeration(); NextService();) {
        services.emplace_back(CurrentServiceName(), CurrentServiceState());
    }
    return services;
}

unsigned long ListedState(const std::string& name) {
    for (const auto& service : ListServices()) {
        if (service.first == name) {
            return service.second;
        }
    }
    return 0;
}

// Waits until the manager reports the state; control requests do not wait for it themselves.
bool WaitForState(const std::string& name, unsigned long state) {
    for (int i = 0; i < 100; ++i) {
        if (ListedState(name) == state) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

std::string RegistryDwordOf(const std::string& keyPath, const char* valueName) {
    ConsoleResult result = RunConsoleCommand("reg.exe query \"" + keyPath + "\" /v " + valueName);
    for (const std::string& line : OutputLines(result.output)) {
        std::vector<std::string> columns = ColumnsOf(line);
        if (columns.size() == 3 && columns[0] == valueName) {
            return columns[2];
        }
    }
    return std::string();
}

class ServiceControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string bytes;
        if (ReadWholeFile(SourceFile("Language/English.ini"), bytes)) {
            SetCurrentLanguage(ParseLanguageCatalogue(bytes));
        }
        OpenLibraryTable();
        OpenServiceManager();
        RemoveLeftOverTestServices("VantrelTestService");
        std::string folder = TestProgramFolder();
        serviceName = "VantrelTestService" + std::to_string(GetCurrentProcessId());
        serviceProgram = folder + "services_test_program.exe";
        // Quoted and followed by an argument, as installers register their services.
        serviceCommand = "\"" + serviceProgram + "\" --vantrel-test";
        ConsoleResult created = RunConsoleCommand("sc.exe create " + serviceName + " binpath= \"\\\"" + serviceProgram +
                                                  "\\\" --vantrel-test\" start= demand");
        registered = created.exitCode == 0;
        if (!registered) {
            std::printf("sc.exe create failed (%ld): %s\n", created.exitCode, created.output.c_str());
        }
    }
    static void TearDownTestSuite() {
        if (registered) {
            StopService(serviceName);
            WaitForState(serviceName, SERVICE_STOPPED);
            RunConsoleCommand("sc.exe delete " + serviceName);
        }
        CloseServiceManager();
    }
    void SetUp() override { RecordMessageBoxes(); }

    static std::string serviceName;
    static std::string serviceProgram;
    static std::string serviceCommand;
    static bool registered;
};

std::string ServiceControlTest::serviceName;
std::string ServiceControlTest::serviceProgram;
std::string ServiceControlTest::serviceCommand;
bool ServiceControlTest::registered = false;

TEST_F(ServiceControlTest, ListsEveryServiceOnceWithTheStateScQueryReports) {
    ASSERT_NE(ProgramServiceLayer().manager.get(), nullptr);
    unsigned long count = BeginServiceEnumeration();
    ASSERT_GT(count, 0u);
    std::vector<std::pair<std::string, unsigned long>> services;
    while (NextService()) {
        services.emplace_back(CurrentServiceName(), CurrentServiceState());
        if (services.back().first == "PlugPlay") {
            EXPECT_EQ(CurrentServiceDisplayName(),
                      ReadRegistryValue(kServicesRegistryPath + std::string("PlugPlay"), "DisplayName"));
        }
    }
    EXPECT_EQ(NextService(), 0);  // stays at the end
    EXPECT_EQ(CurrentServiceName(), "");
    ASSERT_EQ(services.size(), count);

    // The first entry the manager returns is among them: compare with a plain enumeration.
    std::vector<ENUM_SERVICE_STATUSA> raw(4096);
    DWORD needed = 0, returned = 0, resume = 0;
    ASSERT_TRUE(EnumServicesStatusA(ProgramServiceLayer().manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL, raw.data(),
                                    static_cast<DWORD>(raw.size() * sizeof(raw[0])), &needed, &returned, &resume))
        << LastError();
    ASSERT_EQ(returned, count);
    for (DWORD i = 0; i < returned; ++i) {
        EXPECT_EQ(services[i].first, raw[i].lpServiceName) << i;
    }

    std::set<std::string> names;
    for (const auto& service : services) {
        EXPECT_TRUE(names.insert(service.first).second) << "listed twice: " << service.first;
    }
    EXPECT_EQ(names.count("PlugPlay"), 1u);
    EXPECT_EQ(names.count("Spooler"), 1u);

    for (const auto& service : services) {
        unsigned long outside = ScQueryState(service.first);
        if (outside != service.second) {  // a service may just be changing its state: look again
            outside = ScQueryState(service.first);
            EXPECT_EQ(outside, ListedState(service.first)) << service.first;
        } else {
            EXPECT_EQ(outside, service.second) << service.first;
        }
        EXPECT_NE(outside, 0u) << "sc.exe does not know " << service.first;
    }
}

TEST_F(ServiceControlTest, ConfigurationAgreesWithTheRegistryAndNamesAnExistingFile) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    int compared = 0;
    for (BeginServiceEnumeration(); NextService();) {
        std::string name = CurrentServiceName();
        ASSERT_TRUE(QueryServiceConfiguration(name)) << name;
        EXPECT_FALSE(ServiceBinaryPath().empty()) << name;
        std::string key = kServicesRegistryPath + name;
        // Wine keeps the services of its device hosts (Winedevice1, ...) in memory only.
        if (!RegistryKeyExists(key)) {
            continue;
        }
        ++compared;
        EXPECT_EQ(std::to_string(ServiceStartType()), ReadRegistryValue(key, "Start")) << name;
        EXPECT_EQ(std::to_string(ServiceType()), ReadRegistryValue(key, "Type")) << name;
    }
    EXPECT_GT(compared, 3);

    // Wine's own services live in its native system folder (some of the prefix's, such as the .NET
    // font cache, name programs that are not installed), which the 32-bit test itself does not see
    // under WoW64: the program reaches the files as the services list does.
    for (const char* name : {"PlugPlay", "RpcSs", "Spooler", "Winmgmt", "wuauserv"}) {
        if (!QueryServiceConfiguration(name)) {
            continue;
        }
        std::string executable = ServiceExecutablePath(ServiceBinaryPath(), windows, SystemFileExists);
        EXPECT_TRUE(SystemFileExists(executable)) << name << ": " << ServiceBinaryPath() << " -> " << executable;
        EXPECT_EQ(executable.find(' '), std::string::npos) << executable;
    }

    if (registered) {
        ASSERT_TRUE(QueryServiceConfiguration(serviceName));
        EXPECT_EQ(ServiceBinaryPath(), serviceCommand);
        EXPECT_EQ(ServiceExecutablePath(ServiceBinaryPath(), windows, FileExists), serviceProgram);
        EXPECT_EQ(ServiceType(), SERVICE_WIN32_OWN_PROCESS);
        EXPECT_EQ(ServiceKeyText(ServiceTypeKey(ServiceType())), LanguageText(LanguageKey::AutorunProcess));
    }

    // A failed query drops the configuration of the service before it.
    ASSERT_TRUE(QueryServiceConfiguration("PlugPlay"));
    EXPECT_FALSE(QueryServiceConfiguration("NoSuchVantrelService"));
    EXPECT_EQ(ServiceBinaryPath(), "");
    EXPECT_EQ(ServiceStartType(), -1);
    EXPECT_EQ(ServiceType(), -1);
    EXPECT_EQ(ServiceKeyText(ServiceStartTypeKey(ServiceStartType())), "");
}

TEST_F(ServiceControlTest, DescriptionComesFromTheRegistry) {
    ConsoleResult outside =
        RunConsoleCommand("reg.exe query \"" + std::string(kServicesRegistryPath) + "Spooler\" /v Description");
    std::string expected;
    for (const std::string& line : OutputLines(outside.output)) {
        std::vector<std::string> columns = ColumnsOf(line);
        if (columns.size() == 3 && columns[0] == "Description") {
            expected = columns[2];
        }
    }
    ASSERT_FALSE(expected.empty()) << outside.output;
    EXPECT_EQ(ServiceDescription("Spooler"), expected);
    EXPECT_EQ(ServiceDescription("NoSuchVantrelService"), "");
    EXPECT_EQ(ServiceDescription(""), "");

    if (!registered) {
        GTEST_SKIP() << "the test service is not registered";
    }
    EXPECT_EQ(ServiceDescription(serviceName), "");  // no description value
    std::string longText(600, 'd');                  // longer than any fixed buffer here
    ASSERT_EQ(RunConsoleCommand("sc.exe description " + serviceName + " " + longText).exitCode, 0);
    EXPECT_EQ(ServiceDescription(serviceName), longText);

    // A normal user may only read the services' keys.
    std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + serviceName;
    ASSERT_EQ(SetRegistryKeySecurity(HKEY_LOCAL_MACHINE, key, "D:P(A;;KR;;;WD)"), ERROR_SUCCESS);
    EXPECT_EQ(ServiceDescription(serviceName), longText);
    EXPECT_EQ(SetRegistryKeySecurity(HKEY_LOCAL_MACHINE, key, "D:P(A;;KA;;;WD)"), ERROR_SUCCESS);
}

TEST_F(ServiceControlTest, StartAndStopShowInTheRebuiltList) {
    if (!registered) {
        GTEST_SKIP() << "the test service is not registered";
    }
    EXPECT_EQ(ListedState(serviceName), static_cast<unsigned long>(SERVICE_STOPPED));
    EXPECT_EQ(ServiceKeyText(ServiceStateKey(SERVICE_STOPPED)), "");  // a stopped service shows nothing

    ASSERT_TRUE(RunServiceAction(ServiceAction::Start, serviceName));
    EXPECT_TRUE(ShownMessages().empty());
    unsigned long afterStart = ListedState(serviceName);
    EXPECT_TRUE(afterStart == SERVICE_START_PENDING || afterStart == SERVICE_RUNNING) << afterStart;
    ASSERT_TRUE(WaitForState(serviceName, SERVICE_RUNNING));
    EXPECT_EQ(ScQueryState(serviceName), static_cast<unsigned long>(SERVICE_RUNNING));
    EXPECT_EQ(ServiceKeyText(ServiceStateKey(SERVICE_RUNNING)), "Running");

    // Starting it again fails with the message naming it.
    EXPECT_FALSE(RunServiceAction(ServiceAction::Start, serviceName));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, LanguageText(LanguageKey::Information));
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotStartService, serviceName));
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxWarning);
    ShownMessages().clear();

    // It accepts no pause, and so no continue either.
    EXPECT_FALSE(RunServiceAction(ServiceAction::Pause, serviceName));
    EXPECT_FALSE(RunServiceAction(ServiceAction::Continue, serviceName));
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[0].text, "The service " + serviceName + " could not be paused.");
    EXPECT_EQ(ShownMessages()[0].style, 0x30u);
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::CanNotResumeService, serviceName));
    EXPECT_EQ(ListedState(serviceName), static_cast<unsigned long>(SERVICE_RUNNING));
    ShownMessages().clear();

    ASSERT_TRUE(RunServiceAction(ServiceAction::Stop, serviceName));
    EXPECT_TRUE(ShownMessages().empty());
    unsigned long afterStop = ListedState(serviceName);
    EXPECT_TRUE(afterStop == SERVICE_STOP_PENDING || afterStop == SERVICE_STOPPED) << afterStop;
    ASSERT_TRUE(WaitForState(serviceName, SERVICE_STOPPED));
    EXPECT_EQ(ScQueryState(serviceName), static_cast<unsigned long>(SERVICE_STOPPED));

    EXPECT_FALSE(RunServiceAction(ServiceAction::Stop, serviceName));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotStopService, serviceName));
}

// Wine 8's sc.exe has no "qc" command, so the manager's side is read with QueryServiceConfigA
// directly and the registry's with reg.exe.
TEST_F(ServiceControlTest, StartTypeChangesReachTheRegistryAndTheManager) {
    if (!registered) {
        GTEST_SKIP() << "the test service is not registered";
    }
    std::string key = kServicesRegistryPath + serviceName;
    struct Step {
        ServiceAction action;
        const char* registry;
        long startType;
    } steps[] = {
        {ServiceAction::RunDeactivated, "0x4", SERVICE_DISABLED},
        {ServiceAction::RunAutomatic, "0x2", SERVICE_AUTO_START},
        {ServiceAction::RunManual, "0x3", SERVICE_DEMAND_START},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(RunServiceAction(step.action, serviceName));
        EXPECT_EQ(RegistryDwordOf(key, "Start"), step.registry);
        EXPECT_EQ(ReadRegistryValue(key, "Start"), std::to_string(step.startType));
        ASSERT_TRUE(QueryServiceConfiguration(serviceName));
        EXPECT_EQ(ServiceStartType(), step.startType);
    }
    EXPECT_TRUE(ShownMessages().empty());

    // A disabled service cannot be started, and says so.
    ASSERT_TRUE(RunServiceAction(ServiceAction::RunDeactivated, serviceName));
    EXPECT_FALSE(RunServiceAction(ServiceAction::Start, serviceName));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotStartService, serviceName));
    ASSERT_TRUE(RunServiceAction(ServiceAction::RunManual, serviceName));

    ShownMessages().clear();
    EXPECT_FALSE(RunServiceAction(ServiceAction::RunAutomatic, "NoSuchVantrelService"));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotSetAutorun, "NoSuchVantrelService"));
    EXPECT_EQ(RegistryKeyExists(kServicesRegistryPath + std::string("NoSuchVantrelService")), 0);
}

TEST_F(ServiceControlTest, WithoutTheManagerEverythingFailsQuietlyAndActionsSaySo) {
    CloseServiceManager();
    EXPECT_EQ(BeginServiceEnumeration(), 0u);
    EXPECT_EQ(NextService(), 0);
    EXPECT_EQ(CurrentServiceState(), 0u);
    EXPECT_FALSE(QueryServiceConfiguration("PlugPlay"));
    EXPECT_FALSE(StartServiceByName("PlugPlay"));
    EXPECT_FALSE(StopService("PlugPlay"));
    EXPECT_FALSE(PauseService("PlugPlay"));
    EXPECT_FALSE(ContinueService("PlugPlay"));
    EXPECT_TRUE(ShownMessages().empty());

    EXPECT_FALSE(RunServiceAction(ServiceAction::Stop, "PlugPlay"));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotStopService, "PlugPlay"));

    OpenServiceManager();
    ASSERT_NE(ProgramServiceLayer().manager.get(), nullptr);
    EXPECT_GT(BeginServiceEnumeration(), 0u);
}

TEST_F(ServiceControlTest, UnknownServicesFail) {
    for (const char* name : {"NoSuchVantrelService", ""}) {
        EXPECT_FALSE(StartServiceByName(name)) << name;
        EXPECT_FALSE(StopService(name)) << name;
        EXPECT_FALSE(PauseService(name)) << name;
        EXPECT_FALSE(ContinueService(name)) << name;
        EXPECT_FALSE(QueryServiceConfiguration(name)) << name;
    }
}

}  // namespace
