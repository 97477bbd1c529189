#pragma once

#include <windows.h>

// What the boxes need of the program: the caption, and its main window, under which a box
// without an owner of its own opens. Handed over at start-up; without one, boxes are captioned
// with the maker's name and have no owner.
class MessageBoxOwner {
public:
    virtual ~MessageBoxOwner() = default;
    virtual const char* Caption() const = 0;
    virtual HWND MainWindow() const = 0;
};

void SetMessageBoxOwner(const MessageBoxOwner* owner);

void ShowTraceMessage(const char* text);
void ShowMessage(HWND owner, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool AskQuestion(const char* format, ...) __attribute__((format(printf, 1, 2)));
