// The agency file's bytes and the condition lists with their evaluation.
#include <gtest/gtest.h>

#include <map>

#include "tests/harness/TestSupport.h"
#include "tray/agencies/AgencyFile.h"
#include "tray/agencies/AgencyPass.h"
#include "tray/agencies/AgencyTables.h"
#include "tray/agencies/Conditions.h"

namespace {

using namespace std::string_literals;

AgencyRow Row(std::vector<std::string> fields) {
    AgencyRow row;
    row.fields = std::move(fields);
    return row;
}

TEST(AgencyFile, BytesOfEachKindReadBackAlike) {
    AgencyLists lists;
    lists.systemStart.push_back(Row({"Tool", "A{1};", "-x", "X", "C:\\t\\tool.exe"}));
    lists.programStart.push_back(Row({"Second", "notepad.exe", "", "", "C:\\s.exe"}));
    lists.avoid.push_back(Row({"evil.exe", "B{};"}));
    lists.systemStart[0].examined = true;  // never stored
    std::string bytes = FormatAgencyFile(lists);
    EXPECT_EQ(bytes, "\0Tool\1A{1};\1-x\1X\1C:\\t\\tool.exe\1\r\n"s +
                         std::string("\1Second\1notepad.exe\1\1\1C:\\s.exe\1\r\n") +
                         std::string("\2evil.exe\1B{};\1\r\n"));

    // Two starts read the same rows; only a start at logon leaves system-start agencies waiting.
    for (bool autorun : {true, false}) {
        AgencyLists read = ParseAgencyFile(bytes, autorun);
        ASSERT_EQ(read.systemStart.size(), 1u);
        EXPECT_EQ(read.systemStart[0].fields, lists.systemStart[0].fields);
        EXPECT_EQ(read.systemStart[0].examined, !autorun);
        ASSERT_EQ(read.programStart.size(), 1u);
        EXPECT_EQ(read.programStart[0].fields, lists.programStart[0].fields);
        EXPECT_FALSE(read.programStart[0].examined);
        ASSERT_EQ(read.avoid.size(), 1u);
        EXPECT_EQ(read.avoid[0].fields, lists.avoid[0].fields);
        EXPECT_EQ(FormatAgencyFile(read), bytes);
    }
    EXPECT_EQ(FormatAgencyFile(AgencyLists{}), "");
    EXPECT_TRUE(AgencyListsEmpty(ParseAgencyFile("", true)));
}

TEST(AgencyFile, DamagedRecords) {
    // An unknown kind is skipped; a truncated last record keeps what it has.
    std::string bytes = "\7junk\1\r\n\2a.exe\1\1\r\n"s + "\2b.exe\1C{";
    AgencyLists read = ParseAgencyFile(bytes, true);
    ASSERT_EQ(read.avoid.size(), 2u);
    EXPECT_EQ(read.avoid[0].fields, (std::vector<std::string>{"a.exe", ""}));
    EXPECT_EQ(read.avoid[1].fields, (std::vector<std::string>{"b.exe", "C{"}));
    EXPECT_TRUE(read.systemStart.empty() && read.programStart.empty());
    // A short start record still has all five columns.
    read = ParseAgencyFile(std::string("\1name", 5), true);
    ASSERT_EQ(read.programStart.size(), 1u);
    EXPECT_EQ(read.programStart[0].fields.size(), 5u);

    EXPECT_TRUE(AgencyFieldStorable("C:\\a b\\c.exe"));
    for (const char* bad : {"a\1b", "a\rb", "a\nb"}) {
        EXPECT_FALSE(AgencyFieldStorable(bad)) << bad;
    }
}

TEST(Conditions, SplitAndFormat) {
    std::string list = "X{30};Y{};Z{a}b};";
    EXPECT_EQ(ConditionItemCount(list), 3);
    std::vector<ConditionItem> items = SplitConditionList(list);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "X");
    EXPECT_EQ(items[0].parameter, "30");
    EXPECT_EQ(items[1].parameter, "");
    EXPECT_EQ(items[2].parameter, "a");
    EXPECT_EQ(SplitConditionItem(list, 2).text, "Y");
    EXPECT_EQ(SplitConditionItem(list, 4).text, "");
    EXPECT_EQ(FormatConditionList({{"X", "30"}, {"Y", ""}}), "X{30};Y{};");
    EXPECT_TRUE(SplitConditionList("").empty());
    EXPECT_EQ(SplitConditionItem("NoBrace;", 1).text, "NoBrace");
}

struct FakeSystem {
    uint64_t elapsed = 0;
    bool online = true;
    DriveSpace drive{500 * 1048576ull, 2000 * 1048576ull};
    MemoryFigures memory{3000 * 1048576ull, 8000 * 1048576ull};  // beyond 32 bits on purpose
    std::string user = "Anna";
    ConditionInputs Inputs() {
        ConditionInputs inputs;
        inputs.elapsedMilliseconds = elapsed;
        inputs.internetReachable = [this](ConditionAsker) { return online; };
        inputs.driveSpace = [this] { return drive; };
        inputs.memory = [this] { return memory; };
        inputs.fileSize = [](const std::string& path) -> int64_t {
            return path == "empty" ? 0 : path == "full" ? 10 : path == "dir" ? kFileSizeDirectory : kFileSizeMissing;
        };
        inputs.userName = [this] { return user; };
        return inputs;
    }
};

bool Holds(int type, const char* parameter, FakeSystem& system) {
    return ConditionHolds(type, parameter, ConditionAsker::SystemStart, system.Inputs());
}

TEST(Conditions, EachTypeMeasures) {
    FakeSystem system;
    EXPECT_TRUE(Holds(ConditionFreeDriveSpaceSmaller, "500", system));
    EXPECT_FALSE(Holds(ConditionFreeDriveSpaceSmaller, "499", system));
    EXPECT_TRUE(Holds(ConditionFreeDriveSpaceLarger, "500", system));
    EXPECT_TRUE(Holds(ConditionUsedDriveSpaceLarger, "1500", system));
    EXPECT_FALSE(Holds(ConditionUsedDriveSpaceSmaller, "1499", system));
    EXPECT_TRUE(Holds(ConditionFreeRAMLarger, "3000", system));
    EXPECT_FALSE(Holds(ConditionFreeRAMLarger, "3001", system));
    EXPECT_TRUE(Holds(ConditionUsedRAMLarger, "5000", system));
    EXPECT_TRUE(Holds(ConditionUsedRAMSmaller, "5000", system));
    EXPECT_FALSE(Holds(ConditionUsedRAMSmaller, "4999", system));
    // Not a number: 0.
    EXPECT_FALSE(Holds(ConditionFreeRAMSmaller, "lots", system));
    EXPECT_TRUE(Holds(ConditionFreeRAMLarger, "lots", system));
    EXPECT_TRUE(Holds(ConditionFreeRAMLarger, "-7", system));

    EXPECT_FALSE(Holds(ConditionFileExists, "empty", system));
    EXPECT_TRUE(Holds(ConditionFileExists, "full", system));
    EXPECT_TRUE(Holds(ConditionFileExistsNot, "dir", system));
    EXPECT_TRUE(Holds(ConditionFileExistsNot, "gone", system));
    EXPECT_FALSE(Holds(ConditionFileExistsNot, "empty", system));
    EXPECT_TRUE(Holds(ConditionDirectoryExists, "dir", system));
    EXPECT_FALSE(Holds(ConditionDirectoryExists, "full", system));
    EXPECT_TRUE(Holds(ConditionDirectoryExistsNot, "full", system));
    EXPECT_TRUE(Holds(ConditionUsername, "Anna", system));
    EXPECT_FALSE(Holds(ConditionUsername, "anna", system));
    EXPECT_TRUE(Holds(ConditionInetConnection, "", system));
    system.online = false;
    EXPECT_FALSE(Holds(ConditionInetConnection, "", system));
    EXPECT_TRUE(Holds(ConditionNoInetConnection, "", system));
}

TEST(Conditions, ListVerdictWithDelayAndLanguages) {
    UseSourceLanguage("English.ini");
    LanguageCatalogue english = CurrentLanguage();
    UseSourceLanguage("Deutsch.ini");
    LanguageCatalogue german = CurrentLanguage();
    ConditionTexts texts = ConditionTextsOf(english, {german});

    std::string delay = english.texts[static_cast<size_t>(ConditionTypeKey(ConditionDelayTime))];
    EXPECT_EQ(ConditionTypeOf(delay, texts), ConditionDelayTime);
    std::string germanUser = german.texts[static_cast<size_t>(LanguageKey::ConditionStringUsername)];
    ASSERT_NE(germanUser, english.texts[static_cast<size_t>(LanguageKey::ConditionStringUsername)]);
    EXPECT_EQ(ConditionTypeOf(germanUser, texts), ConditionUsername);
    EXPECT_EQ(ConditionTypeOf(germanUser, ConditionTextsOf(english, {})), kNoConditionType);

    FakeSystem system;
    auto verdict = [&](const std::string& list) {
        return EvaluateConditionList(list, ConditionAsker::Avoid, texts, system.Inputs());
    };
    EXPECT_TRUE(verdict("A{1};").holds);
    EXPECT_TRUE(verdict("").holds);
    system.elapsed = 29999;
    ConditionVerdict early = verdict(delay + "{30};");
    EXPECT_FALSE(early.holds);
    EXPECT_EQ(early.failedType, ConditionDelayTime);
    system.elapsed = 30000;
    EXPECT_TRUE(verdict(delay + "{30};").holds);
    // The first failing condition is named; the German user-name condition is understood.
    ConditionVerdict user = verdict(delay + "{30};" + germanUser + "{Bert};");
    EXPECT_FALSE(user.holds);
    EXPECT_EQ(user.failedType, ConditionUsername);
}

TEST(AgencyPass, SystemStartsWaitOnlyForTheirDelay) {
    UseSourceLanguage("English.ini");
    ConditionTexts texts = ConditionTextsOf(CurrentLanguage(), {});
    std::string delay = LanguageText(LanguageKey::ConditionStringDelayTime);
    std::string freeSpace = LanguageText(LanguageKey::ConditionStringFreeDriveSpaceLarger);
    std::vector<AgencyRow> rows = {Row({"Later", delay + "{60};", "-a", "", "C:\\later.exe"}),
                                   Row({"Disk", freeSpace + "{999999};", "", "X", "C:\\disk.exe"}),
                                   Row({"Now", "", "", "X", "C:\\now.exe"})};
    FakeSystem system;
    system.elapsed = 59999;
    std::vector<ProgramLaunch> due = TakeDueSystemStarts(rows, texts, system.Inputs());
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].path, "C:\\now.exe");
    EXPECT_TRUE(due[0].hidden);
    EXPECT_FALSE(rows[0].examined);  // the delay keeps it waiting
    EXPECT_TRUE(rows[1].examined);   // any other failure cancels it for this run
    system.elapsed = 60000;
    system.drive.freeBytes = ~0ull;
    due = TakeDueSystemStarts(rows, texts, system.Inputs());
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].parameters, "-a");
    EXPECT_FALSE(due[0].hidden);
    EXPECT_TRUE(TakeDueSystemStarts(rows, texts, system.Inputs()).empty());
}

TEST(AgencyPass, NewProcessesTriggerEndAndAnnounce) {
    AgencyLists agencies;
    agencies.programStart.push_back(Row({"Follow", "notepad.exe", "p", "", "C:\\follow.exe"}));
    agencies.programStart.push_back(Row({"Exact", "C:\\w\\calc.exe", "", "", "C:\\exact.exe"}));
    agencies.avoid.push_back(Row({"game.exe", ""}));
    agencies.avoid.push_back(Row({"game.exe", "X{};"}));  // a second match ends nothing twice
    std::map<uint32_t, std::string> paths = {{1, "C:\\old\\game.exe"},  {2, "C:\\w\\notepad.exe"},
                                             {3, "C:\\w\\NOTEPAD.EXE"}, {4, "D:\\game.exe"},
                                             {5, "C:\\w\\calc.exe"},    {6, "C:\\x\\calc.exe"}};
    KnownProcessList known = {{1, paths[1]}, {9, "C:\\gone.exe"}};
    std::vector<RunningProcess> snapshot;
    for (uint32_t pid = 1; pid <= 6; ++pid) {
        snapshot.push_back({pid, 1, ""});
    }
    int reads = 0;
    auto pathOf = [&](uint32_t pid) {
        ++reads;
        return paths[pid];
    };
    FakeSystem system;
    NewProcessWork work = TakeNewProcesses(known, snapshot, pathOf, agencies, ConditionTexts{}, system.Inputs());
    EXPECT_EQ(reads, 5);  // the known process is not asked again
    ASSERT_EQ(work.toEnd.size(), 1u);
    EXPECT_EQ(work.toEnd[0].pid, 4u);
    ASSERT_EQ(work.launches.size(), 2u);
    EXPECT_EQ(work.launches[0].path, "C:\\follow.exe");  // notepad.exe, not NOTEPAD.EXE
    EXPECT_EQ(work.launches[1].path, "C:\\exact.exe");   // the full path, not its namesake
    std::vector<uint32_t> announced;
    for (const RunningProcess& process : work.toAnnounce) {
        announced.push_back(process.pid);
    }
    EXPECT_EQ(announced, (std::vector<uint32_t>{2, 3, 5, 6}));
    EXPECT_EQ(known.count(9), 0u);
    EXPECT_EQ(known.size(), 6u);
    EXPECT_TRUE(
        TakeNewProcesses(known, snapshot, pathOf, agencies, ConditionTexts{}, system.Inputs()).toAnnounce.empty());
}

TEST(AgencyPass, Balloons) {
    UseSourceLanguage("English.ini");
    Balloon plain = NewProcessBalloon("tool.exe", {}, "");
    EXPECT_EQ(plain.title, "Vantrel - Information");
    EXPECT_EQ(plain.text, "tool.exe has started.");
    Balloon described = NewProcessBalloon("tool.exe", {"Great Tool", "ACME", "1.2"}, "Explorer");
    EXPECT_EQ(described.text, "Great Tool was started by Explorer.\r\n\r\nCompany: ACME\r\nVersion: 1.2");
    Balloon unknown = NewProcessBalloon("", {}, "x");
    EXPECT_EQ(unknown.text, "A new process has started.\r\nIts name could not be determined.");
    EXPECT_EQ(unknown.icon, BalloonIcon::Warning);
    EXPECT_EQ(AvoidBalloon(true, "C:\\g.exe").icon, BalloonIcon::Warning);
    EXPECT_EQ(AvoidBalloon(false, "C:\\g.exe").text, "C:\\g.exe could not be ended.");
    EXPECT_EQ(ParentLabel("", "", "C:\\w\\shell.exe"), "shell.exe");
    EXPECT_EQ(ParentLabel("Desc", "name", ""), "");
    EXPECT_EQ(RemoveAgencyQuestion(Row({"Tool", ""})), "Do you really want to remove the agency \"Tool\"?");
}

TEST(AgencyPass, PriorityWatchSlowsAndRestores) {
    PriorityWatchList watch;
    auto pass = [&](uint32_t priority, float share) {
        MarkWatchUnseen(watch);
        WatchEntry& entry = SeeWatchedProcess(watch, 7, priority);
        WatchStep step = NextWatchStep(entry, share);
        entry.slowed = step == WatchStep::SlowDown ? true : step == WatchStep::Restore ? false : entry.slowed;
        return step;
    };
    EXPECT_EQ(pass(0x20, 85.0f), WatchStep::SlowDown);
    EXPECT_EQ(pass(kIdlePriorityClass, 50.0f), WatchStep::Keep);
    EXPECT_EQ(watch[7].savedPriority, 0x20u);  // the idle class it was given is not taken for its own
    EXPECT_EQ(pass(kIdlePriorityClass, 19.9f), WatchStep::Restore);
    EXPECT_EQ(pass(0, 99.0f), WatchStep::Keep);  // a class that cannot be read cannot be restored
    EXPECT_EQ(pass(0x20, 81.0f), WatchStep::SlowDown);
    MarkWatchUnseen(watch);
    EXPECT_EQ(DropUnseenWatchEntries(watch), (std::vector<uint32_t>{7}));
    EXPECT_TRUE(watch.empty());

    WatchEntry entry;
    EXPECT_EQ(TakeWatchShare(entry, MakeCpuSample(0, 0, 1000)), 0.0f);
    EXPECT_NEAR(TakeWatchShare(entry, MakeCpuSample(5000000, 0, 2000)), 50.0f, 0.1f);  // 500 ms of 1000
}

}  // namespace
