#include "framework/AppBase.h"
#include "framework/Dialog.h"
#include "framework/Messages.h"

#include <prsht.h>

MessageRecord CurrentMessage;

namespace {

Window* MappedObject(HWND handle) {
    return TheApp ? TheApp->Windows.FindObject(handle) : nullptr;
}

void Unmap(HWND handle) {
    if (TheApp) {
        TheApp->Windows.RemoveWindow(handle);
    }
}

void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMessage.hwnd = hwnd;
    CurrentMessage.message = message;
    CurrentMessage.wParam = wParam;
    CurrentMessage.lParam = lParam;
}

bool IsPropertySheetResult(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) {
        return false;
    }
    UINT code = header->code;
    return code == PSN_WIZFINISH || code == PSN_WIZNEXT || code == PSN_RESET ||
           code == PSN_KILLACTIVE;
}

INT_PTR OnDialogNotify(Dialog& dialog, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (dialog.OnNotify(wParam, lParam, &result)) {
        if (IsPropertySheetResult(lParam)) {
            SetWindowLongPtrA(dialog.hwnd, DWLP_MSGRESULT, result);
        }
        return 1;
    }
    return dialog.WindowProc(WM_NOTIFY, wParam, lParam) ? 1 : 0;
}

// Whatever the dialog's own handler says; a handled message answers 1. A few messages take the
// handler's result itself as their answer: the drag icon of a minimised window is one.
INT_PTR HandleInDialog(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = dialog.WindowProc(message, wParam, lParam);
    if (message == WM_QUERYDRAGICON) {
        return result;
    }
    if (!result) {
        return 0;
    }
    SetWindowLongPtrA(dialog.hwnd, DWLP_MSGRESULT, 1);
    return 1;
}

INT_PTR OnDialogCommand(Dialog& dialog, WPARAM wParam, LPARAM lParam) {
    WORD id = LOWORD(wParam);
    if (id == IDOK) {
        dialog.OnOK();
        return 1;
    }
    if (id == IDCANCEL) {
        dialog.OnCancel();
        return 1;
    }
    if (Window* control = MappedObject(reinterpret_cast<HWND>(lParam))) {
        control->WindowProc(ReflectCommand, wParam, lParam);
    }
    if (!dialog.OnCommand(wParam, lParam)) {
        if (id != HelpCommandId) {
            return dialog.WindowProc(WM_COMMAND, wParam, lParam) ? 1 : 0;
        }
        if (TheApp) {
            TheApp->WinHelp(dialog.templateId, HELP_CONTEXT);
        }
    }
    return HandleInDialog(dialog, WM_COMMAND, wParam, lParam);
}

INT_PTR OnDialogCtlColor(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* control = MappedObject(reinterpret_cast<HWND>(lParam));
    if (!control) {
        return HandleInDialog(dialog, message, wParam, lParam);
    }
    LRESULT brush = control->WindowProc(ReflectCtlColor, wParam, lParam);
    SetWindowLongPtrA(dialog.hwnd, DWLP_MSGRESULT, brush);
    return brush;
}

bool IsColourRequest(UINT message) {
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC;
}

// The dialog given to DoModal arrives with WM_INITDIALOG.
Window* MapNewDialog(HWND hwnd, LPARAM lParam) {
    auto* dialog = reinterpret_cast<Dialog*>(lParam);
    if (dialog) {
        dialog->hwnd = hwnd;
        if (TheApp) {
            TheApp->Windows.AddWindow(dialog, hwnd);
        }
    }
    return dialog;
}

// A window of the framework's class is made with its object as the creation parameter.
void MapNewWindow(HWND hwnd, LPARAM lParam) {
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* window = create ? static_cast<Window*>(create->lpCreateParams) : nullptr;
    if (window) {
        window->hwnd = hwnd;
        if (TheApp) {
            TheApp->Windows.AddWindow(window, hwnd);
        }
    }
}

// A change of the system's colours or of high contrast repaints the whole dialog: its controls
// choose their colours as they paint.
void RepaintOnAppearanceChange(HWND dialog, UINT message) {
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// These messages take the handler's result itself as their answer; 0 leaves them to the default.
bool AnswersWithResult(UINT message) {
    return message == WM_GETDLGCODE || message == WM_GETOBJECT;
}

} // namespace

INT_PTR CALLBACK FrameworkDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Record(hwnd, message, wParam, lParam);
    Window* object = MappedObject(hwnd);
    if (message == WM_INITDIALOG) {
        if (!object) {
            object = MapNewDialog(hwnd, lParam);
        }
        return object ? static_cast<Dialog*>(object)->OnInitDialog() : 0;
    }
    if (message == WM_DESTROY) {
        Unmap(hwnd);
        return 0;
    }
    if (!object) {
        return 0;
    }
    Dialog& dialog = *static_cast<Dialog*>(object);
    RepaintOnAppearanceChange(hwnd, message);
    if (message == WM_NOTIFY) {
        return OnDialogNotify(dialog, wParam, lParam);
    }
    if (message == WM_COMMAND && HIWORD(wParam) == 0) {
        return OnDialogCommand(dialog, wParam, lParam);
    }
    if (IsColourRequest(message)) {
        return OnDialogCtlColor(dialog, message, wParam, lParam);
    }
    return HandleInDialog(dialog, message, wParam, lParam);
}

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Record(hwnd, message, wParam, lParam);
    Window* object = MappedObject(hwnd);
    if (message == WM_CREATE) {
        MapNewWindow(hwnd, lParam);
        return 0;
    }
    if (message == WM_DESTROY) {
        Unmap(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (!object) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_COMMAND && object->OnCommand(wParam, lParam)) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT result = object->WindowProc(message, wParam, lParam);
    if (result) {
        return AnswersWithResult(message) ? result : 0;
    }
    return object->DefaultProc();
}
