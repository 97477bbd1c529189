#include "app/AboutDialog.h"

#include "framework/AppBase.h"
#include "resources/ResourceIds.h"

AboutDialog::AboutDialog(Window& mainWindow)
    : Dialog(IDD_ABOUT, &mainWindow, TheApp ? TheApp->InstanceHandle : nullptr),
      WebLink(IDR_HAND_CURSOR) {
}

BOOL AboutDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    WebLink.SubclassItem(IDC_ABOUT_WEB_LINK, *this);
    return TRUE;
}
