#include "framework/Dialog.h"

#include "framework/AppBase.h"
#include "framework/Messages.h"

Dialog::Dialog(unsigned templateId, Window* parent, HINSTANCE instance)
    : templateId(templateId), parent(parent), instance(instance) {
}

// A dialog handles no message of its own unless a concrete dialog says otherwise.
LRESULT Dialog::WindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}

void Dialog::DoDataExchange(DataExchange&) {
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnCancel() {
    EndDialog(hwnd, IDCANCEL);
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(hwnd, IDOK);
    }
}

INT_PTR Dialog::DoModal() {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId & 0xFFFF),
                           parent ? parent->hwnd : nullptr, FrameworkDlgProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool save) {
    DataExchange exchange(save);
    DoDataExchange(exchange);
    return true;
}

void Dialog::DdxText(DataExchange& exchange, int controlId, Str& value) {
    HWND control = GetDlgItem(hwnd, controlId);
    if (!control) {
        return;
    }
    if (!exchange.saveAndValidate) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.Text()));
        return;
    }
    value = ReadWindowText(control);
}

// Only the checked bit counts: the indeterminate state saves as 0.
void Dialog::DdxCheck(DataExchange& exchange, int controlId, int32_t& value) {
    HWND control = GetDlgItem(hwnd, controlId);
    if (!control) {
        return;
    }
    if (exchange.saveAndValidate) {
        value = static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0) & 1);
    } else {
        SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// Binds a control to an object without subclassing it: the object only receives what the
// dialog procedure reflects to it.
void Dialog::DdxControl(DataExchange& exchange, int controlId, Window& control) {
    HWND item = GetDlgItem(hwnd, controlId);
    if (!item) {
        return;
    }
    control.Attach(item);
    if (!exchange.saveAndValidate) {
        control.hwnd = item;
    }
}
