// The information window's texts from the list rows, and its bars pixel by pixel.

#include "main/processes/InformationFields.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/processes/ProcessListColumns.h"
#include "tests/harness/TestSupport.h"

namespace {

size_t AddProcess(RowTable& table, int pid, int parent, const std::string& name, const std::string& path) {
    const size_t row = AppendRow(table);
    SetCellInteger(table, row, kProcessColumnProcessId, pid);
    SetCellInteger(table, row, kProcessColumnParentProcessId, parent);
    SetCell(table, row, kProcessColumnName, name);
    SetCell(table, row, kProcessColumnFilePath, path);
    return row;
}

TEST(InformationBars, SegmentsFrameAndOutlinesSitWhereTheFiguresPutThem) {
    EXPECT_EQ(CpuBarWidth(50.0f), 123);
    EXPECT_EQ(CpuBarWidth(10.1f), 24);  // 24.846, cut
    EXPECT_EQ(CpuBarWidth(0.0f), 0);
    EXPECT_EQ(CpuBarWidth(250.0f), kInformationBarFill);
    EXPECT_EQ(ShareBarWidth(1, 4), 61);  // 61.5
    EXPECT_EQ(ShareBarWidth(5, 0), 0);

    const InformationBar bar = DrawInformationBar(61, 100);
    EXPECT_EQ(InformationBarPixel(bar, 0, 0), 0xCCBBAAu);  // frame
    EXPECT_EQ(InformationBarPixel(bar, 249, 15), 0xCCBBAAu);
    EXPECT_EQ(InformationBarPixel(bar, 1, 1), 0xFFEEDDu);   // background inside the frame
    EXPECT_EQ(InformationBarPixel(bar, 2, 2), 0xFFAA55u);   // first segment's outline
    EXPECT_EQ(InformationBarPixel(bar, 10, 8), 0xFF8833u);  // and fill
    EXPECT_EQ(InformationBarPixel(bar, 62, 8), 0xFFAA55u);  // its last column
    EXPECT_EQ(InformationBarPixel(bar, 63, 8), 0xFFCCAAu);  // the second segment starts
    EXPECT_EQ(InformationBarPixel(bar, 80, 8), 0xFFBB99u);
    EXPECT_EQ(InformationBarPixel(bar, 101, 8), 0xFFCCAAu);  // up to 2 + 100
    EXPECT_EQ(InformationBarPixel(bar, 102, 8), 0xFFEEDDu);
    EXPECT_EQ(InformationBarPixel(bar, 10, 14), 0xFFEEDDu);  // 12 pixels high from y = 2

    const InformationBar empty = DrawInformationBar(0, 0);
    EXPECT_EQ(InformationBarPixel(empty, 2, 2), 0xFFEEDDu);
}

TEST(InformationFields, ProcessTextsParentAutostartAndFallbacks) {
    UseSourceLanguage();
    RowTable processes = MakeRowTable(kProcessColumnCount);
    AddProcess(processes, 4, 0, "explorer.exe", "C:\\Windows\\explorer.exe");
    const size_t tool = AddProcess(processes, 8, 4, "tool.exe", "C:\\Tools\\Tool.exe");
    SetCell(processes, tool, kProcessColumnWindowTitle, "Main");
    SetCell(processes, tool, kProcessColumnCpuUsage, "12.5%");
    SetCell(processes, tool, kProcessColumnDatabaseRating, "Trusted");
    const size_t orphan = AddProcess(processes, 9, 77, "orphan.exe", LanguageText(LanguageKey::NotDetectable));

    RowTable autoruns = MakeRowTable(AutorunColumnCount);
    const size_t entry = AppendRow(autoruns);
    SetCell(autoruns, entry, AutorunColumnName, "Tool");
    SetCell(autoruns, entry, AutorunColumnTarget, "c:\\tools\\tool.EXE");
    SetCell(autoruns, entry, AutorunColumnLocation, "HKCU\\Run");
    autoruns.rows[entry].backgroundColour = kAutorunRegistryBackground;

    const ProcessInformationTexts texts = ProcessInformationFor(processes, tool, &autoruns);
    EXPECT_EQ(texts.title, "tool.exe (Main)");
    EXPECT_EQ(texts.fileName, "Tool.exe");
    EXPECT_EQ(texts.folder, "C:\\Tools");
    EXPECT_TRUE(texts.folderEnabled);
    EXPECT_EQ(texts.cpuLabel, LanguageText(LanguageKey::CPUUsage) + ": 12.5%");
    EXPECT_FLOAT_EQ(texts.cpuPercent, 12.5f);
    EXPECT_EQ(texts.parentName, "explorer.exe");
    EXPECT_EQ(texts.rating, "Trusted");
    EXPECT_TRUE(texts.autostartFound);
    EXPECT_EQ(texts.autostartKind, LanguageText(LanguageKey::Registry));
    EXPECT_EQ(texts.autostartEntry, "HKCU\\Run\\Tool");

    const ProcessInformationTexts lost = ProcessInformationFor(processes, orphan, &autoruns);
    EXPECT_EQ(lost.parentName, "Unbekannt");
    EXPECT_FALSE(lost.folderEnabled);
    EXPECT_EQ(lost.cpuLabel, LanguageText(LanguageKey::CPUUsage) + ": 0%");
    EXPECT_EQ(lost.cpuValue, "0%");
    EXPECT_EQ(lost.rating, LanguageText(LanguageKey::RatingUnknown));
    EXPECT_FALSE(lost.autostartFound);
    EXPECT_EQ(lost.autostartKind, LanguageText(LanguageKey::NoAutorunFound));

    EXPECT_EQ(FormatStartTime(7, 5, 9, 3, 11, 2026), "07:05:09 am 03.11.2026");
    EXPECT_EQ(DesktopText(1280, 800, 32, 60), "1280x800, 32 Bit, 60 Hz");
}

}  // namespace
