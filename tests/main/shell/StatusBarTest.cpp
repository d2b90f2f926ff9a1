#include "main/StatusBar.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "main/View.h"
#include "tests/harness/TestSupport.h"

namespace {

TEST(StatusBar, ShowsTheListCountAndFiguresOrInTheMonitorViewOnlyTheWarning) {
    UseSourceLanguage();
    SystemFigures figures;
    figures.totalCpu = 12;
    figures.ramPercent = 56;
    figures.swapPercent = 3;
    std::vector<StatusText> texts = StatusBarTexts(ViewServices, 41, figures, false);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].x, 7);
    EXPECT_EQ(texts[0].text, LanguageText(LanguageKey::Services) + ": 41");
    EXPECT_EQ(texts[1].x, 100);
    EXPECT_EQ(texts[1].text, "CPU: 12%");
    EXPECT_EQ(texts[2].text, "RAM: 56%");
    EXPECT_EQ(texts[3].x, 260);
    EXPECT_EQ(texts[3].text, "Swap: 3%");
    EXPECT_TRUE(StatusBarTexts(ViewMonitor, 0, figures, false).empty());

    texts = StatusBarTexts(ViewSmart, 2, figures, true);
    EXPECT_EQ(texts[0].text, LanguageText(LanguageKey::Harddisks) + ": 2");
    EXPECT_EQ(texts.back().x, 340);
    EXPECT_TRUE(texts.back().warning);
    texts = StatusBarTexts(ViewMonitor, 0, figures, true);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 7);
    EXPECT_EQ(texts[0].text, LanguageText(LanguageKey::SetRightsFailed));
}

}  // namespace
