#include "main/services/ServiceTexts.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/harness/TestSupport.h"

namespace {

class ServiceTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseSourceLanguage(); }
};

TEST_F(ServiceTextsTest, StatesStartTypesAndTypesMapToTheirTexts) {
    EXPECT_EQ(ServiceStateKey(1), std::nullopt);  // stopped: an empty cell
    EXPECT_EQ(ServiceStateKey(2), LanguageKey::ServiceStarting);
    EXPECT_EQ(ServiceStateKey(3), LanguageKey::ServiceStopping);
    EXPECT_EQ(ServiceStateKey(4), LanguageKey::ServiceStarted);
    EXPECT_EQ(ServiceStateKey(5), LanguageKey::ServiceContinuing);
    EXPECT_EQ(ServiceStateKey(6), LanguageKey::ServicePausing);
    EXPECT_EQ(ServiceStateKey(7), LanguageKey::ServicePaused);
    EXPECT_EQ(ServiceStateKey(0), std::nullopt);
    EXPECT_EQ(ServiceStateKey(8), std::nullopt);

    EXPECT_EQ(ServiceStartTypeKey(0), LanguageKey::AutorunBoot);
    EXPECT_EQ(ServiceStartTypeKey(1), LanguageKey::AutorunSystem);
    EXPECT_EQ(ServiceStartTypeKey(2), LanguageKey::AutorunAutomatically);
    EXPECT_EQ(ServiceStartTypeKey(3), LanguageKey::AutorunManually);
    EXPECT_EQ(ServiceStartTypeKey(4), LanguageKey::AutorunDeactivated);
    EXPECT_EQ(ServiceStartTypeKey(5), std::nullopt);
    EXPECT_EQ(ServiceStartTypeKey(-1), std::nullopt);

    const std::pair<long, LanguageKey> types[] = {
        {1, LanguageKey::AutorunKernelDriver},
        {2, LanguageKey::AutorunFilesystemDriver},
        {4, LanguageKey::AutorunAdapterInformation},
        {8, LanguageKey::AutorunAdvancedFilesystemDriver},
        {16, LanguageKey::AutorunProcess},
        {32, LanguageKey::AutorunSharedProcess},
        {272, LanguageKey::AutorunInteractiveProcess},
        {288, LanguageKey::AutorunInteractiveSharedProcess},
    };
    for (const auto& type : types) {
        EXPECT_EQ(ServiceTypeKey(type.first), type.second) << type.first;
    }
    for (long other : {0L, 3L, 48L, 256L, 0x50L, 0x60L, -1L}) {
        EXPECT_EQ(ServiceTypeKey(other), std::nullopt) << other;
    }

    EXPECT_EQ(ServiceKeyText(ServiceStateKey(4)), "Running");
    EXPECT_EQ(ServiceKeyText(ServiceStateKey(1)), "");
    EXPECT_EQ(ServiceKeyText(ServiceStartTypeKey(9)), "");
}

TEST_F(ServiceTextsTest, ActionsNameTheirTextsAndStartTypes) {
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::Start).failure, LanguageKey::CanNotStartService);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::Stop).failure, LanguageKey::CanNotStopService);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::Pause).failure, LanguageKey::CanNotPauseService);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::Continue).failure, LanguageKey::CanNotResumeService);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::RunDeactivated).menuItem, LanguageKey::ServiceRunDeactivated);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::RunAutomatic).menuItem, LanguageKey::ServiceRunAutomatic);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::RunManual).menuItem, LanguageKey::ServiceRunManual);
    EXPECT_EQ(ServiceActionTextsOf(ServiceAction::Continue).menuItem, LanguageKey::ServiceContinuing);
    for (ServiceAction action :
         {ServiceAction::RunDeactivated, ServiceAction::RunAutomatic, ServiceAction::RunManual}) {
        EXPECT_EQ(ServiceActionTextsOf(action).failure, LanguageKey::CanNotSetAutorun);
    }
    EXPECT_EQ(ServiceActionStartType(ServiceAction::RunDeactivated), "4");
    EXPECT_EQ(ServiceActionStartType(ServiceAction::RunAutomatic), "2");
    EXPECT_EQ(ServiceActionStartType(ServiceAction::RunManual), "3");
    EXPECT_EQ(ServiceActionStartType(ServiceAction::Pause), "");
    EXPECT_EQ(LanguageTextWith(ServiceActionTextsOf(ServiceAction::Pause).failure, "Spooler"),
              "The service Spooler could not be paused.");
}

// Files that "exist" for the path derivation below.
const std::set<std::string> kFiles = {
    "C:\\WINDOWS\\system32\\svchost.exe",
    "C:\\Program Files\\My Service\\service.exe",
    "C:\\WINDOWS\\system32\\spoolsv.exe",
    "C:\\WINDOWS\\notepad.exe",
    "D:\\Tools\\daemon.exe",
};
bool Exists(const std::string& path) {
    return kFiles.count(path) != 0;
}

TEST_F(ServiceTextsTest, ExecutablePathFromTheConfiguredPath) {
    const std::string windows = "C:\\WINDOWS";
    struct Case {
        const char* configured;
        const char* executable;
    } cases[] = {
        // Quoted path followed by arguments: the quoted part alone.
        {"\"C:\\Program Files\\My Service\\service.exe\" -run \"x y\"", "C:\\Program Files\\My Service\\service.exe"},
        // Unquoted with a blank, not a file as a whole: cut at the blank.
        {"C:\\WINDOWS\\system32\\svchost.exe -k netsvcs", "C:\\WINDOWS\\system32\\svchost.exe"},
        // Unquoted with a blank that names a file as it stands: kept whole.
        {"C:\\Program Files\\My Service\\service.exe", "C:\\Program Files\\My Service\\service.exe"},
        // %systemroot% in any case, and a relative path into the Windows folder.
        {"%SystemRoot%\\system32\\spoolsv.exe", "C:\\WINDOWS\\system32\\spoolsv.exe"},
        {"%SYSTEMROOT%\\system32\\svchost.exe -k rpcss", "C:\\WINDOWS\\system32\\svchost.exe"},
        {"system32\\svchost", "C:\\WINDOWS\\system32\\svchost.exe"},
        {"notepad.exe", "C:\\WINDOWS\\notepad.exe"},
        // ".exe" only when the bare name is no file but the one with ".exe" is.
        {"D:\\Tools\\daemon", "D:\\Tools\\daemon.exe"},
        {"D:\\Tools\\missing", "D:\\Tools\\missing"},
        {"\"D:\\Tools\\daemon\"", "D:\\Tools\\daemon.exe"},
        // An unterminated quote takes the rest.
        {"\"C:\\Program Files\\My Service\\service.exe", "C:\\Program Files\\My Service\\service.exe"},
        {"", ""},
        {"\"\" -x", ""},
        {"x", "C:\\WINDOWS\\x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ServiceExecutablePath(c.configured, windows, Exists), c.executable) << c.configured;
    }
}

}  // namespace
