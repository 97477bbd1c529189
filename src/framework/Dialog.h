#pragma once

#include "framework/Window.h"

#include <cstdint>

// The direction of one exchange between a dialog's controls and its members.
class DataExchange {
public:
    explicit DataExchange(bool save) : saveAndValidate(save ? 1 : 0) {}

    int32_t saveAndValidate; // nonzero: controls to members; zero: members to controls
};

// A modal dialog box whose members are exchanged with its controls.
class Dialog : public Window {
public:
    Dialog(unsigned templateId, Window* parent, HINSTANCE instance);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DoDataExchange(DataExchange& exchange);
    virtual BOOL OnInitDialog();
    virtual void OnCancel();
    virtual void OnOK();
    virtual INT_PTR DoModal();

    bool UpdateData(bool save);
    void DdxText(DataExchange& exchange, int controlId, Str& value);
    void DdxCheck(DataExchange& exchange, int controlId, int32_t& value);
    void DdxControl(DataExchange& exchange, int controlId, Window& control);

    unsigned templateId;
    Window* parent;
    HINSTANCE instance;
};
