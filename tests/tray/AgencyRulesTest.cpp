// The agency file's bytes and the condition lists with their evaluation.
#include <gtest/gtest.h>

#include "tests/harness/TestSupport.h"
#include "tray/agencies/AgencyFile.h"
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

}  // namespace
