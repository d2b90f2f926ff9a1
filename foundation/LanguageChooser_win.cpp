#include "foundation/LanguageChooser_win.h"

#include <vector>

#include "foundation/Language.h"
#include "foundation/ProgramPaths_win.h"

namespace {

// The file names are kept beside the combo box rather than cut out of the entry texts, so that a
// display name with a "(" in it still yields the right file.
std::vector<LanguageEntry> g_entries;

int EntryOfItem(HWND comboBox, LRESULT item) {
    LRESULT data = SendMessageA(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    return data == CB_ERR ? -1 : static_cast<int>(data);
}

}  // namespace

void ListLanguages(HWND comboBox, const std::string& currentLanguageFile) {
    SendMessageA(comboBox, CB_RESETCONTENT, 0, 0);
    g_entries = ListLanguageFiles(LanguageFolder());
    for (size_t i = 0; i < g_entries.size(); ++i) {
        LRESULT item = SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g_entries[i].text.c_str()));
        if (item >= 0)
            SendMessageA(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
    }
    SelectLanguageEntry(comboBox, currentLanguageFile);
}

void SelectLanguageEntry(HWND comboBox, const std::string& fileName) {
    int wanted = SelectLanguageEntry(g_entries, fileName);
    LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (wanted >= 0 && EntryOfItem(comboBox, item) == wanted) {
            SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            return;
        }
    }
    SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

std::string SelectedLanguageFile(HWND comboBox) {
    LRESULT item = SendMessageA(comboBox, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return std::string();
    return SelectedLanguageFile(g_entries, EntryOfItem(comboBox, item));
}
