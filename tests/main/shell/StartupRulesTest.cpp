#include "main/StartupRules.h"

#include <gtest/gtest.h>

TEST(StartupRules, CompanionStartsFromTheProgramFolderWithItsPathQuoted) {
    EXPECT_EQ(TrayCompanionPath("C:\\Program Files\\Vantrel"), "C:\\Program Files\\Vantrel\\vtlsystray.exe");
    EXPECT_EQ(TrayCompanionCommandLine("C:\\a b\\x.exe"), "\"C:\\a b\\x.exe\"");
}

TEST(StartupRules, MouseMovesAloneLeaveTheStatusAndCountAsIdle) {
    LoopPass quiet;
    EXPECT_TRUE(LoopIsIdle(quiet));
    EXPECT_FALSE(StatusNeedsDrawing(quiet));
    LoopPass moves;
    NoteLoopMessage(moves, 0x0200);
    EXPECT_TRUE(LoopIsIdle(moves));
    EXPECT_FALSE(StatusNeedsDrawing(moves));
    NoteLoopMessage(moves, 0x0100);
    EXPECT_FALSE(LoopIsIdle(moves));
    EXPECT_TRUE(StatusNeedsDrawing(moves));
}
