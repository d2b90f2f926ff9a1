#include "foundation/LanguageChooser_win.h"

#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ProgramPaths_win.h"

namespace {

// The file names are kept beside the combo box rather than cut out of the entry texts, so that a
// display name with a "(" in it still yields the right file.
std::vector<LanguageEntry> g_entries;

int EntryOfItem(HWND comboBox, int item) {
    LRESULT data = ComboBoxItemData(comboBox, item);
    return data == CB_ERR ? -1 : static_cast<int>(data);
}

}  // namespace

void ListLanguages(HWND comboBox, const std::string& currentLanguageFile) {
    ClearComboBox(comboBox);
    g_entries = ListLanguageFiles(LanguageFolder());
    for (size_t i = 0; i < g_entries.size(); ++i) {
        int item = AddComboBoxText(comboBox, g_entries[i].text);
        if (item >= 0)
            SetComboBoxItemData(comboBox, item, static_cast<LPARAM>(i));
    }
    SelectLanguageEntry(comboBox, currentLanguageFile);
}

void SelectLanguageEntry(HWND comboBox, const std::string& fileName) {
    int wanted = SelectLanguageEntry(g_entries, fileName);
    int count = ComboBoxCount(comboBox);
    for (int item = 0; item < count; ++item) {
        if (wanted >= 0 && EntryOfItem(comboBox, item) == wanted) {
            SelectComboBoxItem(comboBox, item);
            return;
        }
    }
    SelectComboBoxItem(comboBox, -1);
}

std::string SelectedLanguageFile(HWND comboBox) {
    int item = ComboBoxSelection(comboBox);
    if (item == CB_ERR)
        return std::string();
    return SelectedLanguageFile(g_entries, EntryOfItem(comboBox, item));
}
