#include "app/AboutDialog.h"

#include "framework/AppBase.h"

namespace {

const unsigned HandCursorId = 1224;
const int WebLinkId = 1003;

} // namespace

AboutDialog::AboutDialog(Window& mainWindow)
    : Dialog(TemplateId, &mainWindow, TheApp ? TheApp->InstanceHandle : nullptr),
      WebLink(HandCursorId) {
}

BOOL AboutDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    WebLink.SubclassItem(WebLinkId, *this);
    return TRUE;
}
