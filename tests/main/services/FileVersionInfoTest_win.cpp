// Version texts of a sample file whose resource we wrote ourselves, read through the library table.
#include "main/FileVersionInfo_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "main/LibraryTable_win.h"

namespace {

std::string BesideTest(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.resize(folder.rfind('\\') + 1);
    return folder + name;
}

TEST(FileVersionInfoTest, FieldNamesForSingleBitsOnly) {
    EXPECT_EQ(VersionFieldName(0x0001), "FileVersion");
    EXPECT_EQ(VersionFieldName(0x0080), "CompanyName");
    EXPECT_EQ(VersionFieldName(0x0800), "Comments");
    EXPECT_EQ(VersionFieldName(0x0003), "");
    EXPECT_EQ(VersionFieldName(0x1000), "");
    EXPECT_EQ(VersionFieldName(0), "");
}

TEST(FileVersionInfoTest, FieldsOfTheFirstLanguageInBitOrder) {
    OpenLibraryTable();
    std::string sample = BesideTest("version_sample.exe");
    EXPECT_EQ(FileVersionText(sample, 0x0080, false), "Vantrel Testfirma");
    EXPECT_EQ(FileVersionText(sample, 0x0002, false), "Beispieldatei");
    // File version directly followed by the product name.
    EXPECT_EQ(FileVersionText(sample, 0x0021, false), "1.2.3.4Vantrel Probe");
    // A missing field is left out.
    EXPECT_EQ(FileVersionText(sample, 0x0800, false), "");

    char german[128] = {};
    VerLanguageNameA(0x0407, german, sizeof(german));
    ASSERT_STRNE(german, "");
    EXPECT_EQ(FileVersionText(sample, 0x1000, true), std::string("Language:\t") + german);
    EXPECT_EQ(FileVersionText(sample, 0x1000, false), german);
    EXPECT_EQ(FileVersionText(sample, 0x1080, false), std::string("Vantrel Testfirma\n") + german);
}

TEST(FileVersionInfoTest, UnreadableFilesGiveEmptyTexts) {
    OpenLibraryTable();
    EXPECT_EQ(FileVersionText(BesideTest("vantrel-missing.exe"), 0x1FFF, true), "");
    EXPECT_EQ(FileVersionText("", 0x0080, false), "");
    std::string plain = BesideTest("version_plain.txt");
    std::ofstream(plain) << "no resource here";
    EXPECT_EQ(FileVersionText(plain, 0x1FFF, true), "");
    DeleteFileA(plain.c_str());
}

}  // namespace
