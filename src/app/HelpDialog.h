#pragma once

#include "framework/Dialog.h"
#include "framework/LinkLabel.h"

// What the Doctor does, the support address and three web links.
class HelpDialog : public Dialog {
public:
    static constexpr unsigned TemplateId = 130;

    explicit HelpDialog(Window& mainWindow);

    BOOL OnInitDialog() override;

    LinkLabel HomeLink;
    LinkLabel TipsLink;
    LinkLabel ContactLink;
};
