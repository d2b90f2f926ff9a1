#include "main/database/DatabaseDialog_win.h"

#include "foundation/Controls_win.h"
#include "main/WindowPlacing_win.h"
#include "main/database/DatabaseDialogLayout.h"

namespace {

const char kClassName[] = "VantrelDatabaseDialog";

HBRUSH BackgroundBrush() {
    static HBRUSH brush = CreateSolidBrush(kRatingProgressBackground);
    return brush;
}

DatabaseDialog* DialogOf(HWND window) {
    return reinterpret_cast<DatabaseDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DatabaseDialog* dialog = DialogOf(window);
    switch (message) {
        case WM_COMMAND:
            if (dialog == nullptr)
                break;
            if (dialog->command != nullptr && dialog->command(*dialog, LOWORD(wParam), HIWORD(wParam)))
                return 0;
            if (LOWORD(wParam) == IDCANCEL)
                dialog->result = IDCANCEL;
            return 0;
        case WM_CLOSE:
            if (dialog != nullptr)
                dialog->result = IDCANCEL;
            return 0;
        case WM_CTLCOLORSTATIC:  // labels, frames and options stand on the white panel
        case WM_CTLCOLORBTN:
            return WhiteControlBackground(wParam);
        case WM_PAINT:
            PaintWhitePanel(window, kDatabaseDialogPanelMargin);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool CreateDatabaseDialog(DatabaseDialog& dialog, const DatabaseContext& context, int width, int height) {
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(context.instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = DialogProcedure;
        windowClass.hInstance = context.instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = BackgroundBrush();
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
    }
    const WindowPlacement place = PlacementOver(context.owner, width, height);
    dialog.window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, context.title.c_str(),
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU, place.x, place.y, place.width, place.height,
                                    context.owner, nullptr, context.instance, nullptr);
    if (dialog.window == nullptr)
        return false;
    dialog.font = context.font;
    SetWindowLongPtrA(dialog.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    return true;
}

HWND AddDialogControl(DatabaseDialog& dialog,
                      const char* kind,
                      const std::string& text,
                      DWORD style,
                      const WindowPlacement& at,
                      int id) {
    return AddControl(dialog.window, kind, text, style, at.x, at.y, at.width, at.height, id, dialog.font);
}

int RunDatabaseDialog(DatabaseDialog& dialog, const DatabaseContext& context, HWND focus) {
    std::vector<HWND> disabled;
    for (HWND other : context.disabledWindows) {
        if (other != nullptr && other != dialog.window && IsWindowEnabled(other)) {
            EnableWindow(other, FALSE);
            disabled.push_back(other);
        }
    }
    ShowWindow(dialog.window, SW_SHOW);
    SetForegroundWindow(dialog.window);
    SetFocus(focus);
    MSG message;
    while (dialog.result < 0) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));  // the main loop must still see it
            dialog.result = IDCANCEL;
            break;
        }
        if (!IsDialogMessageA(dialog.window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // Enabled before the dialog goes, so that the activation returns to its owner.
    for (HWND other : disabled) {
        if (IsWindow(other))
            EnableWindow(other, TRUE);
    }
    SetWindowLongPtrA(dialog.window, GWLP_USERDATA, 0);
    DestroyWindow(dialog.window);
    dialog.window = nullptr;
    return dialog.result;
}

DatabaseContext ContextOver(const DatabaseContext& context, HWND dialog) {
    DatabaseContext over = context;
    over.owner = dialog;
    over.disabledWindows.push_back(dialog);
    over.progress.owner = dialog;
    over.progress.disabledWindows.push_back(dialog);
    return over;
}

std::string ControlText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
