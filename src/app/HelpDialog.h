#pragma once

#include "framework/Dialog.h"
#include "framework/LinkLabel.h"

// What the Doctor does, the support address and three web links.
class HelpDialog : public Dialog {
public:
    explicit HelpDialog(Window& mainWindow);

    BOOL OnInitDialog() override;

    LinkLabel HomeLink;
    LinkLabel TipsLink;
    LinkLabel ContactLink;
};
