// The wizards' rules without windows: pages, when Continue is enabled, the values refused, the name
// taken from the program file, and the file bytes that a finished wizard's row gives.
#include <gtest/gtest.h>

#include "tray/agencies/WizardRules.h"

namespace {

using S = WizardSection;

TEST(WizardRules, NameFromProgramFile) {
    EXPECT_EQ(NameFromFile("C:\\Tools\\my_tool.exe"), "my tool");
    EXPECT_EQ(NameFromFile("C:\\dotted.folder\\no_extension"), "no extension");
    EXPECT_EQ(NameFromFile("D:/backup/run_all.tar.bat"), "run all.tar");
    EXPECT_EQ(NameFromFile("C:\\x\\.profile"), ".profile");
    EXPECT_EQ(NameFromFile(""), "");
}

TEST(WizardRules, PagesAndWhenTheyMayBeLeft) {
    EXPECT_EQ(WizardPages(AgencyKind::SystemStart),
              (std::vector<S>{S::Introduction, S::Name, S::Path, S::Conditions, S::Parameters}));
    EXPECT_EQ(WizardPages(AgencyKind::ProgramStart),
              (std::vector<S>{S::Introduction, S::Name, S::Path, S::Trigger, S::Parameters}));
    EXPECT_EQ(EditSections(AgencyKind::Avoid), (std::vector<S>{S::Trigger, S::Conditions}));

    WizardInput input;
    EXPECT_FALSE(SectionComplete(S::Name, input));
    input.nameFromFile = true;
    EXPECT_TRUE(SectionComplete(S::Name, input));
    input = WizardInput{};
    input.name = "n";
    EXPECT_TRUE(SectionComplete(S::Name, input));
    input.path = "C:\\folder";
    EXPECT_FALSE(SectionComplete(S::Path, input)) << "only a path the window found to be a file";
    input.pathIsFile = true;
    EXPECT_TRUE(SectionComplete(S::Path, input));
    EXPECT_FALSE(SectionComplete(S::Trigger, input));
    input.trigger = "notepad.exe";
    EXPECT_TRUE(SectionComplete(S::Trigger, input));
    EXPECT_TRUE(SectionComplete(S::Conditions, WizardInput{})) << "an agency without conditions is fine";
}

TEST(WizardRules, ValuesAndFieldsTheFileCannotKeep) {
    EXPECT_EQ(CheckConditionValue("C:\\data\\file.txt"), ConditionValueProblem::None);
    EXPECT_EQ(CheckConditionValue("a{b"), ConditionValueProblem::Bracket);
    EXPECT_EQ(CheckConditionValue("}"), ConditionValueProblem::Bracket);
    EXPECT_EQ(CheckConditionValue("C:\\a;b.txt"), ConditionValueProblem::Semicolon);
    EXPECT_EQ(CheckConditionValue(std::string("a\x01") + "b"), ConditionValueProblem::Unstorable);

    WizardInput input;
    input.parameters = "-a\r\n-b";
    EXPECT_FALSE(SectionStorable(S::Parameters, input));
    EXPECT_TRUE(SectionStorable(S::Name, input));
    input.conditions = {{"File exists", "a\nb"}};
    EXPECT_FALSE(SectionStorable(S::Conditions, input));

    EXPECT_STREQ(ConditionUnitText(ConditionInput::Seconds, AgencyKind::SystemStart), "Sekunden");
    EXPECT_STREQ(ConditionUnitText(ConditionInput::Seconds, AgencyKind::Avoid), "");
    EXPECT_STREQ(ConditionUnitText(ConditionInput::Megabytes, AgencyKind::Avoid), "Megabyte");
    EXPECT_STREQ(ConditionUnitText(ConditionInput::File, AgencyKind::SystemStart), "");
}

TEST(WizardRules, RowsOfFinishedWizardsInTheFile) {
    WizardInput system;
    system.nameFromFile = true;
    system.name = "typed, then replaced";
    system.path = "C:\\Tools\\my_tool.exe";
    system.conditions = {{"Delay after start", "30"}, {"Internet connection available", ""}};
    system.parameters = "-quiet";
    system.invisible = true;
    WizardInput program;
    program.name = "Editor";
    program.path = "C:\\Editor\\ed.exe";
    program.trigger = "notepad.exe";
    WizardInput avoid;
    avoid.trigger = "C:\\Games\\game.exe";

    AgencyLists lists;
    lists.systemStart.push_back(BuildAgencyRow(AgencyKind::SystemStart, system));
    lists.programStart.push_back(BuildAgencyRow(AgencyKind::ProgramStart, program));
    lists.avoid.push_back(BuildAgencyRow(AgencyKind::Avoid, avoid));
    EXPECT_EQ(FormatAgencyFile(lists), std::string("\x00my tool\x01"
                                                   "Delay after start{30};Internet connection available{};\x01"
                                                   "-quiet\x01X\x01"
                                                   "C:\\Tools\\my_tool.exe\x01\r\n"
                                                   "\x01"
                                                   "Editor\x01notepad.exe\x01\x01\x01"
                                                   "C:\\Editor\\ed.exe\x01\r\n"
                                                   "\x02"
                                                   "C:\\Games\\game.exe\x01\x01\r\n",
                                                   159));

    // An edit dialog shows what the row holds, and unchanged it gives the same row back.
    for (AgencyKind kind : {AgencyKind::SystemStart, AgencyKind::ProgramStart, AgencyKind::Avoid}) {
        const AgencyRow& row = AgencyList(lists, kind)[0];
        EXPECT_EQ(BuildAgencyRow(kind, InputFromRow(kind, row)).fields, row.fields);
    }
    WizardInput shown = InputFromRow(AgencyKind::SystemStart, lists.systemStart[0]);
    EXPECT_EQ(shown.name, "my tool");
    EXPECT_FALSE(shown.nameFromFile);
    ASSERT_EQ(shown.conditions.size(), 2u);
    EXPECT_EQ(shown.conditions[0].parameter, "30");
    EXPECT_TRUE(InputFromRow(AgencyKind::ProgramStart, lists.programStart[0]).triggerByName);
    EXPECT_FALSE(InputFromRow(AgencyKind::Avoid, lists.avoid[0]).triggerByName) << "a path is chosen as a file";
}

TEST(WizardRules, ProcessChooserNames) {
    EXPECT_EQ(ChooserProcessNames({"svchost.exe", "?", "", "IDLE", "Explorer.EXE", "alpha.exe", "svchost.exe",
                                   "Svchost.exe", "beta.exe"}),
              (std::vector<std::string>{"alpha.exe", "beta.exe", "Explorer.EXE", "Svchost.exe", "svchost.exe"}));
}

}  // namespace
