#include "main/services/ServiceRows.h"

#include <gtest/gtest.h>

#include "main/CommandIds.h"
#include "tests/harness/TestSupport.h"

namespace {

ServiceRecord Record(const std::string& name, long state, long startType) {
    ServiceRecord record;
    record.name = name;
    record.displayName = name + " service";
    record.state = state;
    record.type = 16;  // own process
    record.startType = startType;
    record.command = "C:\\x\\" + name + ".exe -k";
    record.product = "Product";
    record.image = 3;
    return record;
}

TEST(ServiceRowsTest, RecordsBecomeRowsWithTheMenuNumbersBehindThem) {
    UseSourceLanguage();
    RowTable table = MakeRowTable(ServiceColumnCount);
    AppendRow(table);  // an old row goes
    ServiceRecord unreadable = Record("locked", kServiceStopped, -1);
    unreadable.type = -1;
    unreadable.command.clear();
    FillServiceTable(table, {Record("alpha", kServiceRunning, kServiceAutoStart), unreadable});
    ASSERT_EQ(RowCount(table), 2u);
    EXPECT_EQ(Cell(table, 0, 0), "alpha");
    EXPECT_EQ(Cell(table, 0, 1), "alpha service");
    EXPECT_EQ(Cell(table, 0, 2), LanguageText(LanguageKey::ServiceStarted)) << "running";
    EXPECT_EQ(Cell(table, 0, 4), "Automatic");
    EXPECT_EQ(Cell(table, 0, 5), "Product");
    EXPECT_EQ(Cell(table, 0, 7), "C:\\x\\alpha.exe -k");
    EXPECT_EQ(table.rows[0].image, 3);
    // A stopped service shows an empty state; an unreadable configuration empty texts.
    EXPECT_EQ(Cell(table, 1, 2), "");
    EXPECT_EQ(Cell(table, 1, 3), "");
    EXPECT_EQ(Cell(table, 1, 4), "");
    EXPECT_EQ(CellInteger(table, 1, ServiceColumnStartNumber), -1);
}

TEST(ServiceRowsTest, TheMenuOffersWhatTheStateAllows) {
    RowTable table = MakeRowTable(ServiceColumnCount);
    FillServiceTable(table, {Record("run", kServiceRunning, kServiceDemandStart), Record("paused", kServicePaused, 2),
                             Record("stopped", kServiceStopped, kServiceDisabled)});
    ServiceMenuState running = ServiceMenuStateOf(table, 0);
    EXPECT_TRUE(running.stop && running.pause && running.startTypes);
    EXPECT_FALSE(running.start || running.resume);
    EXPECT_EQ(running.startType, kServiceDemandStart);
    ServiceMenuState paused = ServiceMenuStateOf(table, 1);
    EXPECT_TRUE(paused.stop && paused.resume);
    EXPECT_FALSE(paused.start || paused.pause);
    ServiceMenuState stopped = ServiceMenuStateOf(table, 2);
    EXPECT_TRUE(stopped.start);
    EXPECT_FALSE(stopped.stop || stopped.pause || stopped.resume);
    EXPECT_EQ(stopped.startType, kServiceDisabled);
    ServiceMenuState none = ServiceMenuStateOf(table, kNoRow);
    EXPECT_FALSE(none.start || none.stop || none.startTypes);
    EXPECT_EQ(none.startType, -1);

    EXPECT_EQ(ServiceActionOfCommand(CommandServiceContinue), ServiceAction::Continue);
    EXPECT_EQ(ServiceActionOfCommand(CommandServiceManual), ServiceAction::RunManual);
    EXPECT_FALSE(ServiceActionOfCommand(CommandEnd).has_value());
}

}  // namespace
