// Shortcut files through Wine's shell link object.
#include "main/autoruns/Link_win.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "foundation/FileSystem.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/WineTestSupport.h"

namespace {

// The show command as the file's header stores it (offset 0x3C of the 76-byte header).
int StoredShowCommand(const std::string& link) {
    std::ifstream in(link, std::ios::binary);
    unsigned char header[0x4C] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof(header))) {
        return -1;
    }
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsFolder(temporary.Path()));
        folder = temporary.Path() + "\\";
        target = folder + "target program.exe";
        std::ofstream(target, std::ios::binary) << "MZ";
    }

    TemporaryFolder temporary;
    std::string folder;
    std::string target;
};

TEST_F(LinkTest, CreatedShortcutReadsBackWithEveryField) {
    std::string link = folder + "with arguments.lnk";
    const int hotkey = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'V';
    ASSERT_EQ(CreateShortcut(target, link, "", "-a \"b c\" /d", SW_SHOWMINNOACTIVE, "A test shortcut", hotkey,
                             kShortcutIconIsTarget, 0),
              1);
    ASSERT_TRUE(FileExists(link));

    ShortcutRecord record;
    ASSERT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.targetPath, target);
    EXPECT_EQ(record.arguments, "-a \"b c\" /d");
    EXPECT_EQ(record.workingDirectory, folder);  // the target's folder, backslash included
    EXPECT_EQ(record.description, "A test shortcut");
    EXPECT_EQ(StoredShowCommand(link), SW_SHOWMINNOACTIVE);
    if (RunsOnWine()) {
        // Wine 8 stores the show command but its link object always reads back SW_SHOWNORMAL.
        EXPECT_EQ(record.showCommand, SW_SHOWNORMAL);
    } else {
        EXPECT_EQ(record.showCommand, SW_SHOWMINNOACTIVE);
    }
    EXPECT_EQ(record.hotkeyKey, 'V');
    EXPECT_EQ(record.hotkeyModifiers, HOTKEYF_CONTROL | HOTKEYF_ALT);
    EXPECT_EQ(record.iconPath, target);
    EXPECT_EQ(record.iconIndex, 0);
}

TEST_F(LinkTest, ExplicitFieldsAreStoredAsGiven) {
    std::string link = folder + "explicit.lnk";
    std::string icons = folder + "icons.dll";
    std::ofstream(icons, std::ios::binary) << "MZ";
    ASSERT_EQ(CreateShortcut(target, link, "C:\\windows", "", SW_SHOWNORMAL, "", 0, icons, 3), 1);

    ShortcutRecord record;
    record.arguments = "left over";
    ASSERT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.targetPath, target);
    EXPECT_EQ(record.arguments, "");
    EXPECT_EQ(record.workingDirectory, "C:\\windows");
    EXPECT_EQ(record.description, "");
    EXPECT_EQ(record.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(record.hotkeyKey, 0);
    EXPECT_EQ(record.hotkeyModifiers, 0);
    EXPECT_EQ(record.iconPath, icons);
    EXPECT_EQ(record.iconIndex, 3);
}

TEST_F(LinkTest, ReadOnlyShortcutStillReads) {
    std::string link = folder + "read only.lnk";
    ASSERT_EQ(CreateShortcut(target, link, "", "-x", SW_SHOWNORMAL, "read only", 0, "|", 0), 1);
    ASSERT_TRUE(SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY)) << LastError();
    ShortcutRecord record;
    ASSERT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.targetPath, target);
    EXPECT_EQ(record.arguments, "-x");
}

TEST_F(LinkTest, MissingFolderOrFileFails) {
    std::string link = folder + "no such folder\\x.lnk";
    EXPECT_EQ(CreateShortcut(target, link, "", "", SW_SHOWNORMAL, "", 0, "|", 0), 0);
    EXPECT_FALSE(FileExists(link));

    ShortcutRecord record;
    EXPECT_EQ(ReadShortcut(folder + "missing.lnk", record), 0);
    EXPECT_EQ(ReadShortcut("", record), 0);

    // A link path past the limit is refused instead of being cut to another name.
    std::string tooLong = folder + std::string(kShortcutLinkPathLimit, 'l') + ".lnk";
    EXPECT_EQ(CreateShortcut(target, tooLong, "", "", SW_SHOWNORMAL, "", 0, "|", 0), 0);
}

TEST_F(LinkTest, DamagedShortcutFilesAreRefusedWithoutHarm) {
    std::string good = folder + "good.lnk";
    ASSERT_EQ(CreateShortcut(target, good, "", "-a", SW_SHOWNORMAL, "good", 0, "|", 0), 1);
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 76u);

    const std::string samples[] = {
        std::string(),
        "not a shortcut at all",
        bytes.substr(0, 40),                // cut inside the header
        bytes.substr(0, bytes.size() / 2),  // cut inside the fields
        std::string(bytes.size(), '\xFF'),
    };
    int index = 0;
    for (const std::string& sample : samples) {
        std::string damaged = folder + "damaged" + std::to_string(index++) + ".lnk";
        std::ofstream(damaged, std::ios::binary) << sample;
        ShortcutRecord record;
        int result = ReadShortcut(damaged, record);
        // What a damaged file yields is the shell's business; it must stay inside the buffers.
        EXPECT_LT(record.targetPath.size(), kShortcutTextBufferLength) << damaged << " read " << result;
        EXPECT_LT(record.arguments.size(), kShortcutTextBufferLength);
        EXPECT_LT(record.description.size(), kShortcutTextBufferLength);
    }
    ShortcutRecord empty;
    EXPECT_EQ(ReadShortcut(folder + "damaged0.lnk", empty), 0);
    EXPECT_EQ(ReadShortcut(folder + "damaged1.lnk", empty), 0);
}

TEST_F(LinkTest, AutostartShortcutRecordIsWrittenAsIs) {
    std::string link = folder + "Vantrel.lnk";
    ShortcutRecord expected = AutostartShortcutRecord(folder);
    std::ofstream(expected.targetPath, std::ios::binary) << "MZ";
    ASSERT_EQ(CreateShortcutFromRecord(link, expected), 1);
    ShortcutRecord record;
    ASSERT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.targetPath, folder + "vtlsystray.exe");
    EXPECT_EQ(record.arguments, "-Autorun");
    EXPECT_EQ(record.workingDirectory, folder);
    EXPECT_EQ(record.description, "Automatischer Start des Vantrel SystemTray Icons.");
    EXPECT_EQ(record.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(record.hotkeyKey, 0);
    EXPECT_EQ(record.iconPath, record.targetPath);
    EXPECT_EQ(record.iconIndex, 0);
}

TEST_F(LinkTest, AutostartShortcutGoesIntoTheStartupFolderAndAway) {
    std::string link = AutostartLinkPath();
    ASSERT_FALSE(link.empty());
    ASSERT_GT(link.size(), 12u);
    EXPECT_EQ(link.substr(link.size() - 12), "\\Vantrel.lnk");
    if (FileExists(link)) {
        GTEST_SKIP() << "the prefix already has an autostart shortcut, which this test leaves alone";
    }
    ASSERT_TRUE(UpdateAutostartShortcut(true, folder));
    ShortcutRecord record;
    EXPECT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.arguments, "-Autorun");
    EXPECT_TRUE(UpdateAutostartShortcut(false, folder));
    EXPECT_FALSE(FileExists(link));
    EXPECT_TRUE(UpdateAutostartShortcut(false, folder));  // nothing to delete is no failure
}

}  // namespace
