// The real tray companion under Wine with an agency file: what it starts, follows and ends among
// the processes started after it, and the processes its priority watch slows and gives back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/autoruns/Link_win.h"
#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/WineTestSupport.h"

namespace {

constexpr DWORD kAvoidExitCode = 1067;

std::string ChildProgram() {
    const char* dist = std::getenv("VANTREL_DIST");
    return WindowsPathFromUnix(std::string(dist != nullptr ? dist : ".") + "/../tests/tray/agency-child.exe");
}

int LinesIn(const std::string& path) {
    std::ifstream in(path);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return lines;
}

// Polls until the condition holds or the time is up; whether it holds.
template <typename Condition>
bool Within(DWORD milliseconds, Condition condition) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(100)) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
    }
    return true;
}

DWORD PriorityOf(const StartedProgram& program) {
    return GetPriorityClass(program.info.hProcess);
}

// Waits up to 20 s for the watch to slow the spinner down; meanwhile measures the spinner's largest
// share of a processor over a second, as the watch measures it, and returns it.
float WaitUntilSlowed(const StartedProgram& program) {
    float most = 0;
    CpuSample previous{};
    for (int second = 0; second < 20 && PriorityOf(program) != IDLE_PRIORITY_CLASS; ++second) {
        Sleep(1000);
        ReadSystemProcesses(LayerState());
        if (const SystemProcessRecord* record = SystemRecordOf(program.info.dwProcessId)) {
            CpuSample now = MakeCpuSample(record->userTime, record->kernelTime, LayerState().systemRecordsClock);
            most = second > 0 ? std::max(most, CpuShare(previous, now)) : most;
            previous = now;
        }
    }
    return most;
}

class AgencyProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = SettingsFilePath();
        dataFolder_ = settings_.substr(0, settings_.find_last_of('\\'));
        CreateDirectoryA(dataFolder_.c_str(), nullptr);
        // No main program, no balloons: only the agencies and the watch act.
        std::ofstream(settings_) << "[General]\r\nPreferencesRemain=1\r\n[Systray]\r\nPreferencesAutoShowStart=0\r\n";
    }
    void TearDown() override {
        DeleteFileA((dataFolder_ + "\\agency.dat").c_str());
        DeleteFileA(settings_.c_str());
        DeleteFileA(AutostartLinkPath().c_str());
    }

    StartedProgram StartTray(const std::string& arguments) {
        StartedProgram tray = StartProgram(DistFile("vtlsystray.exe"), arguments);
        EXPECT_TRUE(tray.started) << tray.failure;
        window_ = WaitForProcessWindow(kWindowClassName, kTrayWindowTitle, tray.info.dwProcessId, 30000);
        EXPECT_NE(window_, nullptr);
        return tray;
    }
    void QuitTray(StartedProgram& tray) {
        PostMessageA(window_, kMessageQuit, 0, 0);
        EXPECT_EQ(WaitForExit(tray, 30000), 0);
    }
    std::string Child(const std::string& folder, const std::string& name) {
        std::string target = folder_.File(folder);
        CreateDirectoryA(target.c_str(), nullptr);
        target += "\\" + name;
        EXPECT_TRUE(CopyFileA(ChildProgram().c_str(), target.c_str(), FALSE)) << ChildProgram() << " " << LastError();
        return target;
    }

    TemporaryFolder folder_;
    std::string settings_;
    std::string dataFolder_;
    HWND window_ = nullptr;
};

TEST_F(AgencyProgramTest, AgenciesActOnProcessesStartedAfterTheTray) {
    std::string systemMarks = folder_.File("system.txt");
    std::string followMarks = folder_.File("follow.txt");
    std::string child = ChildProgram();
    std::ofstream(dataFolder_ + "\\agency.dat", std::ios::binary)
        << std::string("\0Marker\1Delay after start{8};\1mark ", 35) << systemMarks << "\1X\1" << child << "\1\r\n"
        << "\1Follower\1agency-trigger.exe\1mark " << followMarks << "\1X\1" << child << "\1\r\n"
        << "\2agency-avoid.exe\1\1\r\n";
    StartedProgram older = StartProgram(Child("old", "agency-avoid.exe"), "sleep 60000");

    // Not started at logon: the system-start agency never runs.
    StartedProgram tray = StartTray("");
    Sleep(9000);
    EXPECT_EQ(LinesIn(systemMarks), 0) << "a system-start agency ran without -Autorun";
    QuitTray(tray);

    tray = StartTray("-Autorun");
    EXPECT_EQ(LinesIn(systemMarks), 0) << "ran before its delay";
    StartedProgram avoided = StartProgram(Child("new", "agency-avoid.exe"), "sleep 30000");
    StartedProgram trigger = StartProgram(Child("a", "agency-trigger.exe"), "sleep 3000");
    StartedProgram otherCase = StartProgram(Child("b", "AGENCY-TRIGGER.EXE"), "sleep 3000");
    EXPECT_EQ(WaitForExit(avoided, 10000), static_cast<long>(kAvoidExitCode));
    EXPECT_TRUE(Within(10000, [&] { return LinesIn(followMarks) >= 1; }));
    EXPECT_TRUE(Within(20000, [&] { return LinesIn(systemMarks) >= 1; })) << "the delayed agency did not run";
    Sleep(2000);
    EXPECT_EQ(LinesIn(followMarks), 1) << "fired for another letter case";
    EXPECT_EQ(LinesIn(systemMarks), 1) << "ran more than once";
    EXPECT_EQ(WaitForSingleObject(older.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "ended an older process";
    QuitTray(tray);

    TerminateProcess(older.info.hProcess, 0);
    WaitForExit(older, 5000);
    WaitForExit(trigger, 5000);
    WaitForExit(otherCase, 5000);
}

TEST_F(AgencyProgramTest, PriorityWatchSlowsSpinnersAndGivesTheirClassBack) {
    std::ofstream(dataFolder_ + "\\agency.dat", std::ios::binary) << "";
    OpenLibraryTable();
    InitProcessLayer();
    StartedProgram tray = StartTray("");
    // The spinners' shares depend on what else the machine does, so the watch gets time.
    StartedProgram calming = StartProgram(Child("spin", "agency-calming.exe"), "spin 20000 30000");
    ASSERT_TRUE(calming.started) << calming.failure;
    // A machine too busy to give a spinner 80 % of a processor gives no verdict.
    auto expectSlowed = [](const StartedProgram& program) {
        float most = WaitUntilSlowed(program);
        bool slowed = PriorityOf(program) == IDLE_PRIORITY_CLASS;
        EXPECT_TRUE(slowed || most < 90.0f) << "not slowed at " << most << " %";
        return slowed;
    };
    bool measured = expectSlowed(calming);
    if (measured) {
        EXPECT_TRUE(Within(25000, [&] { return PriorityOf(calming) == NORMAL_PRIORITY_CLASS; })) << PriorityOf(calming);
    }
    StartedProgram spinning = StartProgram(Child("spin", "agency-spinning.exe"), "spin 60000 0");
    measured = measured && expectSlowed(spinning);
    QuitTray(tray);  // the main program's quit message
    if (measured) {
        EXPECT_EQ(PriorityOf(spinning), static_cast<DWORD>(NORMAL_PRIORITY_CLASS)) << "left behind at idle";
    }
    for (StartedProgram* program : {&calming, &spinning}) {
        TerminateProcess(program->info.hProcess, 0);
        WaitForExit(*program, 5000);
    }
    if (!measured) {
        GTEST_SKIP() << "the machine is too busy for a spinner to pass 80 % of a processor";
    }
}

}  // namespace
