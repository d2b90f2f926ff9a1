// The three wizards, their condition dialog and process chooser, and the three edit dialogs, made
// inside the test process and driven through the commands their controls send. The file and folder
// choosers answer from the test; the saved agency file is read back byte for byte.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/Controls_win.h"
#include "foundation/ListViews_win.h"
#include "main/autoruns/Link_win.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tray/TrayProgram_win.h"
#include "tray/agencies/AgencyWindows_win.h"
#include "tray/agencies/AgencyWizardWindows_win.h"
#include "tray/agencies/AgencyWizards_win.h"

namespace {

std::string g_chosen;  // what the file and folder choosers answer
std::string g_filter;  // the filter the file chooser was asked with

std::string ChooseForTest(HWND, const std::string& filter, const std::string&) {
    g_filter = filter;
    return g_chosen;
}
std::string ChooseFolderForTest(HWND, const std::string&) {
    return g_chosen;
}

// A window's picture as a 24-bit BMP in the folder named by VANTREL_SHOT_FOLDER, for
// scripts/screenshot-wizards; nothing without it.
void Shot(HWND window, const std::string& name) {
    const char* folder = std::getenv("VANTREL_SHOT_FOLDER");
    if (folder == nullptr) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageA(&message);
    }
    Sleep(300);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    header.bfSize = header.bfOffBits + rowBytes * static_cast<DWORD>(height);
    std::ofstream file(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof(header));
    file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    file.write(static_cast<const char*>(bits), rowBytes * static_cast<DWORD>(height));
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class AgencyWizards : public testing::Test {
protected:
    static void SetUpTestSuite() {
        UseSourceLanguage();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        WizardShell() = {ChooseForTest, ChooseFolderForTest, nullptr};
    }

    void SetUp() override {
        RecordMessageBoxes();
        TheAgencies() = AgencyLists{};
        Tray().settingsPath = folder_.File("vantrel.ini");  // the agency file goes beside it
        DeleteFileA(AgencyFilePath().c_str());
        program_ = folder_.Path() + "\\my_tool.exe";
        std::ofstream(program_) << "MZ";
        g_chosen.clear();
    }

    void TearDown() override {
        DeleteFileA(AutostartLinkPath().c_str());  // written with the first agency saved
        for (HWND window :
             {wizard_, FindWindowA(kConditionDialogClass, nullptr), FindWindowA(kProcessChooserClass, nullptr)}) {
            if (IsWindow(window)) {
                DestroyWindow(window);
            }
        }
    }

    void Open(AgencyKind kind, int row = -1) {
        wizard_ = OpenAgencyWizard(nullptr, kind, row);
        ASSERT_NE(wizard_, nullptr);
    }
    static void Click(HWND window, int id) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    void Click(int id) { Click(wizard_, id); }
    // What typing does: the new text, then the field's change notice.
    static void Type(HWND window, int id, const std::string& text) {
        SetDlgItemTextA(window, id, text.c_str());
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    void Type(int id, const std::string& text) { Type(wizard_, id, text); }
    static std::string Text(HWND window, int id) {
        char text[1024] = {};
        GetDlgItemTextA(window, id, text, sizeof(text));
        return text;
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(wizard_, id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(GetDlgItem(wizard_, id)) != FALSE; }

    // Adds a condition through the condition dialog: its type chosen as the drop-down list reports
    // it, the value typed, OK.
    void AddCondition(int type, const std::string& value) {
        Click(WizardAddCondition);
        HWND dialog = FindWindowA(kConditionDialogClass, nullptr);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowEnabled(wizard_)) << "the wizard waits for its dialog";
        HWND chooser = GetDlgItem(dialog, ConditionChooser);
        SelectComboBoxItem(chooser, type);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ConditionChooser, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(chooser));
        if (IsWindowVisible(GetDlgItem(dialog, ConditionValue))) {
            Type(dialog, ConditionValue, value);
        }
        Click(dialog, ConditionOk);
    }

    // The agency file as the wizard saved it.
    std::string SavedFile() const {
        std::ifstream file(AgencyFilePath(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    static TemporaryFolder folder_;
    std::string program_;
    HWND wizard_ = nullptr;
};
TemporaryFolder AgencyWizards::folder_("vantrel wizard ");

TEST_F(AgencyWizards, SystemWizardThroughEveryPage) {
    Open(AgencyKind::SystemStart);
    EXPECT_FALSE(AgencyUiEnabled()) << "the agency windows and the wizard entries are off meanwhile";
    EXPECT_EQ(Text(wizard_, WizardPageHeader), "New System Start Agency");
    EXPECT_FALSE(Visible(WizardBack));
    Shot(wizard_, "system-0");
    Click(WizardNext);
    EXPECT_EQ(Text(wizard_, WizardPageHeader), "Step 1:");
    EXPECT_TRUE(Visible(WizardNameField) && !Visible(WizardIntroduction));
    EXPECT_FALSE(Enabled(WizardNext));
    Type(WizardNameField, "typed");
    EXPECT_TRUE(Enabled(WizardNext));
    Type(WizardNameField, "");
    CheckDlgButton(wizard_, WizardNameFromFile, BST_CHECKED);
    Click(WizardNameFromFile);
    EXPECT_TRUE(Enabled(WizardNext));
    EXPECT_FALSE(Enabled(WizardNameField));
    Shot(wizard_, "system-1");
    Click(WizardNext);

    EXPECT_FALSE(Enabled(WizardNext));
    Type(WizardPathField, folder_.Path());
    EXPECT_FALSE(Enabled(WizardNext)) << "a folder is no program";
    g_chosen = program_;
    Click(WizardPathBrowse);
    EXPECT_EQ(Text(wizard_, WizardPathField), program_);
    EXPECT_EQ(g_filter, "Applications (*.exe;*.bat)|*.exe;*.bat|All Files|*.*");
    EXPECT_TRUE(Enabled(WizardNext));
    Shot(wizard_, "system-2");
    Click(WizardNext);
    EXPECT_EQ(Text(wizard_, WizardNameField), "my tool") << "taken from the file on leaving the path";

    EXPECT_FALSE(Enabled(WizardRemoveCondition));
    AddCondition(0, "30");
    Click(WizardAddCondition);
    HWND dialog = FindWindowA(kConditionDialogClass, nullptr);
    Shot(dialog, "condition-dialog");
    EXPECT_EQ(Text(dialog, ConditionUnit), "Sekunden");
    SelectComboBoxItem(GetDlgItem(dialog, ConditionChooser), 11);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ConditionChooser, CBN_SELCHANGE), 0);
    Click(dialog, ConditionBrowse);
    EXPECT_EQ(g_filter, "All Files|*.*");
    Type(dialog, ConditionValue, "C:\\{x}.txt");
    Click(dialog, ConditionOk);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, "");
    EXPECT_EQ(ShownMessages()[0].text, "A value must not contain curly brackets.");
    EXPECT_EQ(ShownMessages()[0].style, 0x30u);
    ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays open for a better value";
    Click(dialog, ConditionCancel);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(wizard_));
    AddCondition(1, "ignored for the internet types");
    AddCondition(15, "gone again");
    HWND list = GetDlgItem(wizard_, WizardConditionList);
    ASSERT_EQ(ListViewItemCount(list), 3);
    EXPECT_EQ(ListViewItemText(list, 2, 1), "gone again");
    SetListViewItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(Enabled(WizardRemoveCondition));
    Shot(wizard_, "system-3");
    Click(WizardRemoveCondition);
    EXPECT_EQ(ListViewItemCount(list), 2);
    Click(WizardNext);

    EXPECT_EQ(Text(wizard_, WizardNext), "Finish");
    Type(WizardParametersField, "-quiet");
    CheckDlgButton(wizard_, WizardInvisible, BST_CHECKED);
    Shot(wizard_, "system-4");
    Click(WizardNext);
    EXPECT_FALSE(IsWindow(wizard_));
    EXPECT_TRUE(AgencyUiEnabled());
    EXPECT_EQ(SavedFile(), std::string(1, '\0') + "my tool\x01" +
                               "Delay after start{30};Internet connection available{};\x01-quiet\x01X\x01" + program_ +
                               "\x01\r\n");
}

TEST_F(AgencyWizards, ProgramWizardWithATriggerFromTheRunningProcesses) {
    Open(AgencyKind::ProgramStart);
    Shot(wizard_, "program-0");
    Click(WizardNext);
    Type(WizardNameField, "Editor");
    Click(WizardNext);
    Type(WizardPathField, program_);
    Click(WizardNext);
    EXPECT_EQ(Text(wizard_, WizardPageHeader), "Step 3:");
    EXPECT_FALSE(Enabled(WizardNext)) << "no trigger yet";
    g_chosen = "C:\\Apps\\trigger.exe";
    Click(WizardTriggerBrowse);
    EXPECT_EQ(g_filter, "Applications (*.exe;*.bat)|*.exe;*.bat|");
    EXPECT_EQ(Text(wizard_, WizardTriggerField), g_chosen);
    Shot(wizard_, "program-3");

    // By process name, "..." lists the running processes; this test program is one of them.
    CheckRadioButton(wizard_, WizardTriggerByFile, WizardTriggerByName, WizardTriggerByName);
    Click(WizardTriggerBrowse);
    HWND chooser = FindWindowA(kProcessChooserClass, nullptr);
    ASSERT_NE(chooser, nullptr);
    char title[64] = {};
    GetWindowTextA(chooser, title, sizeof(title));
    EXPECT_STREQ(title, "Choose Process");
    HWND names = GetDlgItem(chooser, ProcessChooserList);
    int own = static_cast<int>(
        SendMessageA(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), (LPARAM) "agency_wizards_test.exe"));
    ASSERT_GE(own, 0);
    SelectComboBoxItem(names, own);
    Shot(chooser, "process-chooser");
    Click(chooser, ProcessChooserOk);
    EXPECT_FALSE(IsWindow(chooser));
    EXPECT_EQ(Text(wizard_, WizardTriggerField), "agency_wizards_test.exe");
    Click(WizardNext);
    Shot(wizard_, "program-4");
    Click(WizardNext);
    EXPECT_EQ(SavedFile(),
              "\x01"
              "Editor\x01"
              "agency_wizards_test.exe\x01\x01\x01" +
                  program_ + "\x01\r\n");
}

TEST_F(AgencyWizards, AvoidWizardAndItsConditionDialog) {
    Open(AgencyKind::Avoid);
    Shot(wizard_, "avoid-0");
    Click(WizardNext);
    Type(WizardTriggerField, "game.exe");
    Shot(wizard_, "avoid-1");
    Click(WizardNext);
    EXPECT_EQ(Text(wizard_, WizardNext), "Finish");
    Click(WizardAddCondition);
    HWND dialog = FindWindowA(kConditionDialogClass, nullptr);
    EXPECT_EQ(Text(dialog, ConditionUnit), "") << "the avoid wizard's delay has no unit";
    Click(dialog, ConditionCancel);
    AddCondition(4, "1024");
    Click(WizardAddCondition);
    dialog = FindWindowA(kConditionDialogClass, nullptr);
    SelectComboBoxItem(GetDlgItem(dialog, ConditionChooser), 13);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ConditionChooser, CBN_SELCHANGE), 0);
    g_chosen = "C:\\a;b";
    Click(dialog, ConditionBrowse);
    Click(dialog, ConditionOk);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, "A value must not contain a semicolon (;).");
    g_chosen = "C:\\windows";
    Click(dialog, ConditionBrowse);
    Shot(dialog, "avoid-condition-dialog");
    Click(dialog, ConditionOk);
    Shot(wizard_, "avoid-2");
    Click(WizardBack);
    EXPECT_EQ(Text(wizard_, WizardTriggerField), "game.exe") << "going back keeps what was typed";
    Click(WizardNext);
    Click(WizardNext);
    EXPECT_EQ(SavedFile(),
              "\x02game.exe\x01"
              "Free space on C: at least{1024};Folder exists{C:\\windows};\x01\r\n");
}

TEST_F(AgencyWizards, EditDialogsApplyInPlaceAndCancelLeavesTheRow) {
    AgencyLists& lists = TheAgencies();
    lists.systemStart = {{{"first", "", "", "", program_}, true},
                         {{"second", "Delay after start{5};", "-a", "X", program_}, true}};
    lists.programStart = {{{"Editor", "notepad.exe", "", "", program_}, false}};
    lists.avoid = {{{"C:\\Games\\game.exe", ""}, false}};

    Open(AgencyKind::SystemStart, 1);
    char title[128] = {};
    GetWindowTextA(wizard_, title, sizeof(title));
    EXPECT_STREQ(title, "Edit System Start Agency - second");
    EXPECT_EQ(Text(wizard_, WizardParametersField), "-a");
    EXPECT_EQ(IsDlgButtonChecked(wizard_, WizardInvisible), BST_CHECKED);
    EXPECT_EQ(ListViewItemText(GetDlgItem(wizard_, WizardConditionList), 0, 1), "5");
    EXPECT_TRUE(Visible(WizardNameField) && Visible(WizardConditionList) && Visible(WizardInvisible));
    Shot(wizard_, "edit-system");
    Type(WizardPathField, folder_.Path());
    EXPECT_FALSE(Enabled(WizardNext)) << "Apply waits for a program file";
    Type(WizardPathField, program_);
    Type(WizardParametersField, std::string("-a\x01") + "-b");
    Click(WizardNext);
    ASSERT_EQ(ShownMessages().size(), 1u) << "a field the file cannot keep is refused";
    EXPECT_TRUE(IsWindow(wizard_));
    Type(WizardParametersField, "-b");
    Click(WizardNext);
    EXPECT_FALSE(IsWindow(wizard_));
    EXPECT_EQ(lists.systemStart[1].fields,
              (std::vector<std::string>{"second", "Delay after start{5};", "-b", "X", program_}));
    EXPECT_FALSE(lists.systemStart[1].examined) << "an edited agency is examined again";
    EXPECT_TRUE(lists.systemStart[0].examined) << "the other rows stay as they are";

    Open(AgencyKind::ProgramStart, 0);
    EXPECT_EQ(IsDlgButtonChecked(wizard_, WizardTriggerByName), BST_CHECKED);
    Shot(wizard_, "edit-program");
    Type(WizardTriggerField, "");
    EXPECT_FALSE(Enabled(WizardNext));
    Click(WizardCancel);
    EXPECT_EQ(lists.programStart[0].fields[1], "notepad.exe");

    Open(AgencyKind::Avoid, 0);
    EXPECT_EQ(IsDlgButtonChecked(wizard_, WizardTriggerByFile), BST_CHECKED);
    Shot(wizard_, "edit-avoid");
    AddCondition(15, "guest");
    Click(WizardNext);
    EXPECT_EQ(lists.avoid[0].fields, (std::vector<std::string>{"C:\\Games\\game.exe", "User name is{guest};"}));
    EXPECT_EQ(OpenAgencyWizard(nullptr, AgencyKind::Avoid, 1), nullptr) << "no such row";
    EXPECT_TRUE(AgencyUiEnabled());
}

// The wizard's own loop runs until the wizard closes; meanwhile the agency entries stay off.
bool g_uiWhileOpen = true;
VOID CALLBACK CloseOpenWizard(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND wizard = FindWindowA(kAgencyWizardClass, nullptr);
    if (wizard != nullptr) {
        KillTimer(nullptr, timer);
        g_uiWhileOpen = AgencyUiEnabled();
        PostMessageA(wizard, WM_CLOSE, 0, 0);
    }
}

TEST_F(AgencyWizards, RunAgencyWizardWaitsForTheWizard) {
    SetTimer(nullptr, 0, 50, CloseOpenWizard);
    RunAgencyWizard(nullptr, AgencyKind::Avoid);
    EXPECT_FALSE(g_uiWhileOpen);
    EXPECT_TRUE(AgencyUiEnabled());
    EXPECT_EQ(FindWindowA(kAgencyWizardClass, nullptr), nullptr);
    EXPECT_TRUE(TheAgencies().avoid.empty());
}

}  // namespace
