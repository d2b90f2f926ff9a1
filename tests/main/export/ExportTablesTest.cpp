#include "main/export/ExportTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "main/export/ListKinds.h"
#include "main/export/SearchWords.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"

namespace {

ExportTable SmallTable() {
    return {{"Name", "Size", "Count"}, {{"explorer.exe", "12 KB", "0"}, {"a\r\nb", "", "7"}}, {}};
}

TEST(ExportTables, TextTablePadsToTheWidestCellAndAlignsFiguresRight) {
    EXPECT_EQ(TextTable(SmallTable()),
              "Name:        | Size: | Count: | \r\n"
              "             |       |        | \r\n"
              "explorer.exe | 12 KB |      0 | \r\n"
              "a  b         |       |      7 | \r\n");
    for (const char* right : {"0", "12 KB", "1.5 MB", "12 %", "1:02:03", "-3"})
        EXPECT_TRUE(IsRightAlignedCell(right)) << right;
    for (const char* left : {"", "explorer.exe", "3dfx.dll", "0 %", "x 12", "00"})
        EXPECT_FALSE(IsRightAlignedCell(left)) << left;
}

TEST(ExportTables, TreeDepthPrefixesTheFirstTextCellOnlyAndBecomesACsvColumn) {
    ExportTable tree{{"Name"}, {{"init"}, {"child"}, {"grandchild"}}, {0, 1, 2}};
    EXPECT_EQ(TextTable(tree),
              "Name:              | \r\n"
              "                   | \r\n"
              "init               | \r\n"
              "|-  child          | \r\n"
              "|   |-  grandchild | \r\n");
    EXPECT_EQ(HtmlTable(tree).find("|-"), std::string::npos);
    EXPECT_EQ(CsvTable(tree), "Name,Depth\r\ninit,0\r\nchild,1\r\ngrandchild,2\r\n");
}

TEST(ExportTables, HtmlEscapesEveryCellCharacterThatCouldBeSyntaxAndKeepsTitles) {
    EXPECT_EQ(EscapeHtmlCell("&A\"!#$%'()<script>{~\xe4 x"),
              "&#38;A&#34;&#33;#&#36;&#37;&#39;()&#60;script&#62;&#123;&#126;&#228; x");
    ExportTable table{{"<b>", ""}, {{"a<b", ""}, {"x", "y"}}, {}};
    EXPECT_EQ(HtmlTable(table),
              "<TABLE WIDTH=\"100%\" BORDER=1 CELLPADDING=4 CELLSPACING=0>\r\n"
              "<TR STYLE=\"background:#99bbff\" VALIGN=TOP><TD><P><b>:</P></TD><TD><P>&nbsp;</P></TD></TR>\r\n"
              "<TR STYLE=\"background:#FFFFFF\" VALIGN=TOP><TD><P>a&#60;b</P></TD><TD><P>&nbsp;</P></TD></TR>\r\n"
              "<TR STYLE=\"background:#DDDDDD\" VALIGN=TOP><TD><P>x</P></TD><TD><P>y</P></TD></TR>\r\n"
              "</TABLE>");
    ExportTable drive{{"Drive"}, {{"#0"}}, {}, {{{"ID"}, {{"5"}, {"9"}}, {}}}};
    EXPECT_EQ(HtmlTable(drive),
              "<P><DIV ALIGN=\"CENTER\" STYLE=\"background:#dddddd;border:1pt solid black;padding:10pt;\">"
              "<TABLE WIDTH=\"100%\" BORDER=1 CELLPADDING=4 CELLSPACING=0>\r\n"
              "<TR STYLE=\"background:#99bbff\" VALIGN=TOP><TD><P>Drive:</P></TD></TR>\r\n"
              "<TR STYLE=\"background:#ffffff\" VALIGN=TOP><TD><P>#0</P></TD></TR>\r\n"
              "</TABLE><BR><TABLE WIDTH=95% BORDER=1 CELLPADDING=4 CELLSPACING=0>"
              "<TR STYLE=\"background:#99bbff\" VALIGN=TOP><TD><P>ID:</P></TD></TR>\r\n"
              "<TR STYLE=\"background:#FFFFFF\" VALIGN=TOP><TD><P>5</P></TD></TR>\r\n"
              "<TR STYLE=\"background:#DDDDDD\" VALIGN=TOP><TD><P>9</P></TD></TR>\r\n"
              "</TABLE></DIV></P>");
    EXPECT_EQ(TextTable(drive), "Drive: | \r\n       | \r\n#0     | \r\n\r\nID: | \r\n    | \r\n  5 | \r\n  9 | \r\n");
    ExportTable empty{{"Name"}, {}, {}};
    EXPECT_EQ(HtmlTable(empty),
              "<TABLE WIDTH=\"100%\" BORDER=1 CELLPADDING=4 CELLSPACING=0>\r\n"
              "<TR STYLE=\"background:#99bbff\" VALIGN=TOP><TD><P>Name:</P></TD></TR>\r\n</TABLE>");
}

TEST(ExportTables, FilesHaveTheirFramesAndNamesTheirExtension) {
    UseSourceLanguage();
    const ExportTime time{3, 4, 2026, 5, 6, 7};
    const std::vector<ExportTable> two{{{"A"}, {}, {}}, {{"B"}, {}, {}}};
    EXPECT_EQ(ExportFile(ExportFormat::Text, time, two),
              "Vantrel\r\nText Export (03.04.2026 - 05:06:07)\r\n\r\n"
              "A: | \r\n   | \r\n\r\n\r\nB: | \r\n   | \r\n");
    const std::string html = ExportFile(ExportFormat::Html, time, two);
    EXPECT_EQ(html.substr(0, 70), "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>");
    EXPECT_NE(html.find("</HEAD>\r\n<BODY LANG=\"de-DE\"><P STYLE="), std::string::npos);
    EXPECT_NE(html.find("HTML Export (03.04.2026 - 05:06:07)</P><BR>\r\n<TABLE"), std::string::npos);
    EXPECT_NE(html.find("</TABLE><TABLE"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 22), "</TABLE></BODY></HTML>");

    EXPECT_EQ(ExportFileName("report", ExportFormat::Html), "report.htm");
    EXPECT_EQ(ExportFileName("REPORT.HTML", ExportFormat::Html), "REPORT.HTML");
    EXPECT_EQ(ExportFileName("a.txt", ExportFormat::Text), "a.txt");
    EXPECT_EQ(ExportFileName("a.htm", ExportFormat::Text), "a.htm.txt");
    EXPECT_EQ(ExportFileName("b.CSV", ExportFormat::Csv), "b.CSV");
    EXPECT_EQ(ExportFilter(), "Text File (*.txt)|*.txt|HTML File (*.htm;*.html)|*.htm;*.html|CSV (*.csv)|*.csv|");
}

// Python's csv module, a reader nobody here wrote, gives back every field as it was.
TEST(ExportTables, CsvReadsBackWithPythonsCsvModule) {
    ExportTable table{{"Name", "Command"}, {{"a,b", "say \"hi\""}, {"line\r\nbreak", "\xe4"}, {"plain", ""}}, {}};
    TemporaryFolder folder;
    folder.Write("export.csv", ExportFile(ExportFormat::Csv, {1, 1, 2026, 0, 0, 0}, {table}));
    const std::string command =
        "python3 -c \"import csv,sys; rows=list(csv.reader(open(sys.argv[1], "
        "encoding='utf-8-sig', newline=''))); print(repr(rows))\" " +
        folder.File("export.csv");
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string printed;
    for (int c; (c = fgetc(pipe)) != EOF;)
        printed += static_cast<char>(c);
    ASSERT_EQ(pclose(pipe), 0) << printed;
    EXPECT_EQ(printed,
              "[['Name', 'Command'], ['a,b', 'say \"hi\"'], ['line\\r\\nbreak', '\xc3\xa4'], ['plain', '']]\n");
}

TEST(ExportTables, AListIsReadAsShownWithoutItsHiddenColumns) {
    RowTable rows = MakeRowTable(4);
    for (const char* name : {"init", "child"}) {
        size_t row = AppendRow(rows);
        SetCell(rows, row, 0, name);
        SetCell(rows, row, 1, "hidden");
        SetCell(rows, row, 2, "12 KB");
        SetCellInteger(rows, row, 3, static_cast<int64_t>(row));
    }
    const std::vector<ListColumn> shown = {{"Process", 100, 0, 0, {}}, {"Memory", 80, 1, 2, {}}};
    const std::string text = TextTable(TableAsShown(rows, shown, 3));
    EXPECT_EQ(
        text,
        "Process:  | Memory: | \r\n          |         | \r\ninit      |   12 KB | \r\n|-  child |   12 KB | \r\n");
}

TEST(SearchWords, WordsSplitAtEachBlankAndQuotedWordsMatchWholeCells) {
    EXPECT_EQ(SearchWords("Exp  \"A\""), (std::vector<std::string>{"exp", "", "\"a\""}));
    EXPECT_TRUE(WordMatchesCell("exp", " Explorer.EXE "));
    EXPECT_TRUE(WordMatchesCell("\"explorer.exe\"", " EXPLORER.exe"));
    EXPECT_FALSE(WordMatchesCell("\"explorer\"", "explorer.exe"));
    EXPECT_TRUE(WordMatchesCell("", ""));

    ExportTable table{{"Name", "Path"}, {{"explorer.exe", "C:\\x"}, {"cmd.exe", "C:\\explorer"}, {"a", "b"}}, {}};
    const std::vector<SearchResult> results = SearchTable(table, "windows exp");
    ASSERT_EQ(results.size(), 2u) << "one result per row";
    EXPECT_EQ(results[0].match, "explorer.exe");
    EXPECT_EQ(results[1].columnTitle, "Path");
    EXPECT_EQ(results[1].name, "cmd.exe");
    EXPECT_EQ(SearchTable(table, "a  b").size(), 3u) << "the empty word matches every cell";
}

}  // namespace
