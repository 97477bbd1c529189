#include "app/HelpDialog.h"

#include "framework/AppBase.h"
#include "resources/ResourceIds.h"

HelpDialog::HelpDialog(Window& mainWindow)
    : Dialog(IDD_HELP, &mainWindow, TheApp ? TheApp->InstanceHandle : nullptr),
      HomeLink(IDR_HAND_CURSOR), TipsLink(IDR_HAND_CURSOR), ContactLink(IDR_HAND_CURSOR) {
}

BOOL HelpDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    HomeLink.SubclassItem(IDC_HELP_HOME_LINK, *this);
    TipsLink.SubclassItem(IDC_HELP_TIPS_LINK, *this);
    ContactLink.SubclassItem(IDC_HELP_CONTACT_LINK, *this);
    // The links come first in the tab order; Enter still closes the dialog as it opens.
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDOK)), TRUE);
    return FALSE;
}
