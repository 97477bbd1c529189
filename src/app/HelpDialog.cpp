#include "app/HelpDialog.h"

#include "framework/AppBase.h"

namespace {

const unsigned HandCursorId = 1224;
const int HomeLinkId = 1007;
const int TipsLinkId = 1006;
const int ContactLinkId = 1005;

} // namespace

HelpDialog::HelpDialog(Window& mainWindow)
    : Dialog(TemplateId, &mainWindow, TheApp ? TheApp->InstanceHandle : nullptr),
      HomeLink(HandCursorId), TipsLink(HandCursorId), ContactLink(HandCursorId) {
}

BOOL HelpDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    HomeLink.SubclassItem(HomeLinkId, *this);
    TipsLink.SubclassItem(TipsLinkId, *this);
    ContactLink.SubclassItem(ContactLinkId, *this);
    return TRUE;
}
