#pragma once

#include "framework/Dialog.h"
#include "framework/LinkLabel.h"

// The program's name, version and the product's web site.
class AboutDialog : public Dialog {
public:
    explicit AboutDialog(Window& mainWindow);

    BOOL OnInitDialog() override;

    LinkLabel WebLink;
};
