// The process list's CPU history images and the memory panel beside it, against real processes
// under Wine.

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "main/LibraryTable_win.h"
#include "main/processes/CpuHistory.h"
#include "main/processes/CpuHistory_win.h"
#include "main/processes/MemoryPanel_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/SystemFigures_win.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/processes/ChildProcess.h"

const MainPreferences* TestPreferences();
void SetTestTreeView(bool on);
void SetTestCpuHistory(bool on, int windowWidth);

namespace {

class ProcessListHistoryTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        OpenLibraryTable();
        InitProcessLayer();
        InitCommonControls();
        // The panel is laid out for the widths of the real texts.
        UseSourceLanguage();
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        CreateProcessList(parent_, TestPreferences());
        CreateMemoryPanel(parent_, nullptr);
    }
    static void TearDownTestSuite() {
        DestroyWindow(parent_);
        FreeProcessLayer();
    }
    void SetUp() override {
        SetTestTreeView(true);
        SetTestCpuHistory(true, 640);
        RefreshProcessList(-1, 0);
    }

    static const RowTable& Rows() { return *ProcessListView().table; }
    static size_t RowOf(DWORD pid) { return FindRow(Rows(), kProcessColumnProcessId, std::to_string(pid)); }
    static int HistoryOf(DWORD pid) {
        size_t row = RowOf(pid);
        return row == kNoRow ? -1 : static_cast<int>(CellInteger(Rows(), row, kProcessColumnHistoryImage));
    }
    // Every stored image belongs to a row that is still listed (other processes may come and go
    // meanwhile, so the count itself is not known).
    static size_t RowsWithImages() {
        size_t rows = 0;
        for (size_t row = 0; row < RowCount(Rows()); ++row)
            rows += CellInteger(Rows(), row, kProcessColumnHistoryImage) != 0;
        return rows;
    }

    static HWND parent_;
};

HWND ProcessListHistoryTest::parent_ = nullptr;

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colours;  // 0x00BBGGRR, top row first
    uint32_t at(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

// Reads the image back through GDI, as anything that shows it would see it.
Pixels ReadPixels(HBITMAP bitmap) {
    Pixels pixels;
    BITMAP header{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(header), &header) == 0)
        return pixels;
    pixels.width = header.bmWidth;
    pixels.height = header.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgra(static_cast<size_t>(pixels.width) * pixels.height);
    HDC dc = GetDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, pixels.height, bgra.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (lines != pixels.height)
        return Pixels{};
    for (uint32_t value : bgra)
        pixels.colours.push_back(((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16));
    return pixels;
}

}  // namespace

TEST_F(ProcessListHistoryTest, NewRowsGetTheirOwnImageOnlyWithTheOptionAndEndedRowsFreeIt) {
    SetTestCpuHistory(false, 640);
    ChildProcess without;
    StartChild(without, "sleep");
    ASSERT_TRUE(without.started) << without.failure;
    RefreshProcessList(-1, 0);
    EXPECT_EQ(Cell(Rows(), RowOf(without.pid()), kProcessColumnHistoryImage), "0");

    SetTestCpuHistory(true, 900);
    ChildProcess first, second;
    StartChild(first, "sleep");
    StartChild(second, "sleep");
    ASSERT_TRUE(first.started && second.started) << first.failure << second.failure;
    RefreshProcessList(-1, 0);
    int firstImage = HistoryOf(first.pid()), secondImage = HistoryOf(second.pid());
    EXPECT_GT(firstImage, 0);
    EXPECT_GT(secondImage, 0);
    EXPECT_NE(firstImage, secondImage);
    EXPECT_NE(firstImage, HistoryOf(GetCurrentProcessId())) << "the test's own row has an image of its own";
    EXPECT_EQ(HistoryOf(without.pid()), 0) << "rows keep what they got when they were made";
    Pixels image = ReadPixels(CpuHistoryImage(firstImage));
    EXPECT_EQ(image.width, CpuHistoryWidth(900));
    EXPECT_EQ(image.height, kCpuHistoryHeight);

    EXPECT_EQ(CpuHistoryImageCount(), RowsWithImages());
    DWORD firstPid = first.pid();
    first.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(firstPid));
    RefreshProcessList(-1, 0);
    EXPECT_EQ(CpuHistoryImageCount(), RowsWithImages());
    EXPECT_EQ(CpuHistoryImage(firstImage), nullptr);
    EXPECT_NE(CpuHistoryImage(secondImage), nullptr);

    // Switched off after the image was made: the ended row still gives its image back.
    SetTestCpuHistory(false, 640);
    DWORD secondPid = second.pid();
    second.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(secondPid));
    RefreshProcessList(-1, 0);
    EXPECT_EQ(CpuHistoryImageCount(), RowsWithImages());
    EXPECT_EQ(CpuHistoryImage(secondImage), nullptr);

    // A rebuild from scratch starts without images; the new rows get new numbers.
    int own = HistoryOf(GetCurrentProcessId());
    ClearProcessList();
    EXPECT_EQ(RowCount(Rows()), 0u);
    EXPECT_EQ(CpuHistoryImageCount(), 0u);
    SetTestCpuHistory(true, 640);
    RefreshProcessList(-1, 0);
    EXPECT_EQ(CpuHistoryImageCount(), RowCount(Rows()));
    EXPECT_NE(HistoryOf(GetCurrentProcessId()), own);
    EXPECT_NE(CpuHistoryImage(HistoryOf(GetCurrentProcessId())), nullptr);
}

TEST_F(ProcessListHistoryTest, EachUpdateScrollsTheImageAndDrawsTheShareAtTheRightEdge) {
    ChildProcess busy;
    StartChild(busy, "spin");
    ASSERT_TRUE(busy.started) << busy.failure;
    RefreshProcessList(-1, 0);
    int number = HistoryOf(busy.pid());
    ASSERT_GT(number, 0);
    Pixels fresh = ReadPixels(CpuHistoryImage(number));
    ASSERT_EQ(fresh.width, CpuHistoryWidth(640));

    // The test itself sleeps: the share drawn is the child's own.
    Pixels previous = fresh;
    for (int update = 0; update < 3; ++update) {
        Sleep(300);
        RefreshProcessList(-1, 0);
        Pixels now = ReadPixels(CpuHistoryImage(number));
        ASSERT_EQ(now.width, fresh.width);
        for (int y = 0; y < kCpuHistoryHeight; ++y) {
            for (int x = 0; x + kCpuHistoryBarWidth < now.width; ++x)
                ASSERT_EQ(now.at(x, y), previous.at(x + kCpuHistoryBarWidth, y)) << "shifted left: " << x << "," << y;
        }
        previous = now;
    }

    std::string shareText = Cell(Rows(), RowOf(busy.pid()), kProcessColumnCpuUsage);
    ASSERT_FALSE(shareText.empty());
    int expected = CpuHistoryBarHeight(std::stof(shareText));
    ASSERT_GT(expected, 0) << shareText;
    // The bar is the column of pixels in the bar colours from the bottom up; above it the fresh
    // background shows again.
    int right = previous.width - 1;
    int height = 0;
    while (height < kCpuHistoryHeight &&
           previous.at(right, kCpuHistoryHeight - 1 - height) == CpuHistoryLineColour(kCpuHistoryHeight - 1 - height))
        ++height;
    EXPECT_LE(std::abs(height - expected), 1) << "share " << shareText;  // the cell shows a rounded share
    for (int y = 0; y < kCpuHistoryHeight; ++y) {
        EXPECT_EQ(previous.at(right - 1, y), previous.at(right, y)) << "bars are two pixels wide, row " << y;
        if (y < kCpuHistoryHeight - height) {
            EXPECT_EQ(previous.at(right, y), fresh.at(0, y)) << "background above the bar, row " << y;
        }
    }
}

TEST_F(ProcessListHistoryTest, MemoryPanelShowsTheSummaryOfTheRefreshsOwnFigures) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    RefreshProcessList(-1, 0);

    MemoryStatusFigures memory;
    uint64_t sum = 0;
    LastMemoryPanelFigures(memory, sum);
    EXPECT_EQ(memory.totalPhysical, ReadMemoryStatus().totalPhysical);
    EXPECT_GT(memory.totalPhysical, 0u);
    EXPECT_EQ(sum, ProcessListWorkingSetSum());

    // The sum is the rows' working sets: each row shows its own in whole KB, rounded down.
    uint64_t kilobytes = 0;
    for (size_t row = 0; row < RowCount(Rows()); ++row) {
        std::string text = Cell(Rows(), row, kProcessColumnMemoryUsage);
        std::string digits;
        for (char c : text) {
            if (c >= '0' && c <= '9')
                digits += c;
        }
        ASSERT_FALSE(digits.empty()) << text;
        kilobytes += std::stoull(digits);
    }
    EXPECT_GE(sum, kilobytes * 1000);
    EXPECT_LT(sum, (kilobytes + RowCount(Rows())) * 1000);
    EXPECT_GT(sum, 0u);

    EXPECT_EQ(MemoryPanelGroupTitle(0), LanguageText(LanguageKey::Memory) + ":");
    EXPECT_EQ(MemoryPanelGroupTitle(1), LanguageText(LanguageKey::Pagefile) + ":");
    std::vector<MemorySummaryLine> lines = MemorySummary(memory, sum);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(MemoryPanelText(1, 0), "Processes:");
    const std::regex bytes("[0-9]{1,3}(\\.[0-9]{3})* Bytes");
    const std::regex percent("\\([0-9]{1,3}%\\)");
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(MemoryPanelText(i, 0), LanguageText(lines[i].line) + ":") << i;
        EXPECT_EQ(MemoryPanelText(i, 1), lines[i].bytes) << i;
        EXPECT_EQ(MemoryPanelText(i, 2), lines[i].percent) << i;
        EXPECT_TRUE(std::regex_match(MemoryPanelText(i, 1), bytes)) << MemoryPanelText(i, 1);
        bool total = lines[i].line == LanguageKey::Total;
        EXPECT_EQ(MemoryPanelText(i, 2).empty(), total) << i;
        if (!total) {
            EXPECT_TRUE(std::regex_match(MemoryPanelText(i, 2), percent)) << MemoryPanelText(i, 2);
        }
    }
    EXPECT_EQ(MemoryPanelText(1, 1), MemorySummary(memory, sum)[1].bytes);
    EXPECT_EQ(lines[1].line, LanguageKey::Processes);
}

TEST_F(ProcessListHistoryTest, ThePanelSitsBetweenTheListAndTheCheckBoxRow) {
    // The view of a main window at its smallest size.
    const int width = 572, height = 340;
    LayoutProcessList(width, height);
    LayoutMemoryPanel(width, height);
    RECT list{};
    GetWindowRect(ProcessListView().list, &list);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.bottom, height - 28 - MemoryPanelHeight());
    EXPECT_GT(MemoryPanelHeight(), 0);
    EXPECT_LT(MemoryPanelHeight(), height / 3);
    // Every text of the panel lies below the list, above the check boxes and inside the width.
    std::vector<RECT> texts;
    for (const MemoryPanelPlacedText& placed : MemoryPanelLayout()) {
        const RECT& text = placed.place;
        EXPECT_GE(text.top, list.bottom) << placed.text;
        EXPECT_LE(text.bottom, height - 28 + 2) << placed.text;
        EXPECT_LE(text.right, width) << placed.text << " from " << text.left;
        texts.push_back(text);
    }
    // The band that paints them covers them all.
    RECT band{};
    GetWindowRect(MemoryPanelWindow(), &band);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&band), 2);
    for (const RECT& text : texts) {
        RECT inside{};
        IntersectRect(&inside, &text, &band);
        EXPECT_TRUE(EqualRect(&inside, &text));
    }
    EXPECT_EQ(texts.size(), 2u + 7 * 3);
    // Texts of one row keep apart, so that a label never runs into its figure.
    for (const RECT& one : texts) {
        for (const RECT& other : texts) {
            if (one.top == other.top && one.left < other.left) {
                EXPECT_GE(other.left - one.right, 4)
                    << "row at " << one.top << ", texts at " << one.left << " and " << other.left;
            }
        }
    }
}
