#include "main/processes/ProcessListRefresh.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListOptions.h"

namespace {

TEST(ProcessListRefresh, FlatListKeepsItsOrderWhenNoneIsAsked) {
    ProcessListOrder order = RefreshOrder(-1, 0, false, 4, false);
    EXPECT_EQ(order.column, 4);
    EXPECT_FALSE(order.ascending);
    EXPECT_FALSE(order.given);
    order = RefreshOrder(2, 1, false, 4, false);
    EXPECT_EQ(order.column, 2);
    EXPECT_TRUE(order.ascending);
    EXPECT_TRUE(order.given);
    EXPECT_EQ(RefreshOrder(-1, 0, true, 4, true).column, -1);
}

TEST(ProcessListRefresh, TreeSortsOnlyWhenAsked) {
    EXPECT_EQ(OrderStepFor(1, true, true, 3), OrderStep::SortThenArrange);
    EXPECT_EQ(OrderStepFor(1, false, true, 3), OrderStep::Arrange);
    EXPECT_EQ(OrderStepFor(2, false, false, 3), OrderStep::SortList);
    EXPECT_EQ(OrderStepFor(3, true, false, 3), OrderStep::ShowAgain);
    EXPECT_EQ(OrderStepFor(-1, false, false, 3), OrderStep::ShowAgain);
}

TEST(ProcessListRefresh, OnlyFramedTopLevelWindowsNameTheirProcess) {
    EXPECT_TRUE(NamesItsProcess(kStyleVisible | kStyleCaption, false, false));
    EXPECT_TRUE(NamesItsProcess(kStyleVisible | kStyleBorder, false, false));
    EXPECT_FALSE(NamesItsProcess(kStyleCaption, false, false));
    EXPECT_FALSE(NamesItsProcess(kStyleVisible, false, false));
    EXPECT_FALSE(NamesItsProcess(kStyleVisible | kStyleCaption | kStyleChild, false, false));
    EXPECT_FALSE(NamesItsProcess(kStyleVisible | kStyleCaption, true, false));
    EXPECT_FALSE(NamesItsProcess(kStyleVisible | kStyleCaption, false, true));
}

TEST(ProcessListRefresh, FirstWindowTitleWins) {
    WindowTitles titles;
    AddWindowTitle(titles, 7, "");
    AddWindowTitle(titles, 7, "first");
    AddWindowTitle(titles, 7, "second");
    AddWindowTitle(titles, 0, "none");
    EXPECT_EQ(WindowTitleOf(titles, 7), "first");
    EXPECT_EQ(WindowTitleOf(titles, 0), "");
}

TEST(ProcessListRefresh, ShownColumnsKeepTheFirstAlways) {
    ProcessListOptions options;
    options.shown[kProcessColumnCpuUsage] = true;
    options.widths[kProcessColumnCpuUsage] = 50;
    std::vector<ShownProcessColumn> columns = ShownProcessColumns(options);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].column, kProcessColumnName);
    EXPECT_EQ(columns[0].title, LanguageText(LanguageKey::Process));
    EXPECT_EQ(columns[1].title, LanguageText(LanguageKey::CPUUsage));
    EXPECT_EQ(columns[1].width, 50);
    EXPECT_TRUE(columns[1].rightAligned);
}

TEST(ProcessListRefresh, EachExecutableLoadsItsImageOnceAndGivesItBackWhenItEnds) {
    ExecutableImages images;
    images.generic = 1;
    images.serviceHost = 2;
    int loads = 0;
    auto load = [&loads](const std::string& path, int reuse) {
        ++loads;
        return path == "C:\\b.exe" ? -1 : reuse >= 0 ? reuse : 6 + loads;
    };
    EXPECT_EQ(ExecutableImage(images, "C:\\a.exe", load), 7);
    EXPECT_EQ(ExecutableImage(images, "C:\\a.exe", load), 7);
    EXPECT_EQ(ExecutableImage(images, "C:\\b.exe", load), 1);
    EXPECT_EQ(ExecutableImage(images, "C:\\Windows\\svchost.exe", load), 2);
    EXPECT_EQ(ExecutableImage(images, "", load), 1);
    EXPECT_EQ(loads, 2);
    // a.exe ended: c.exe takes its image, the generic one is never given away.
    ForgetUnusedImages(images, {"C:\\Windows\\svchost.exe"});
    EXPECT_EQ(ExecutableImage(images, "C:\\c.exe", load), 7);
    EXPECT_TRUE(images.freeImages.empty());
    EXPECT_EQ(images.ofPath.size(), 1u);
}

}  // namespace
