#pragma once

#include <windows.h>

void ShowTraceMessage(const char* text);
void ShowMessage(HWND owner, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool AskQuestion(const char* format, ...) __attribute__((format(printf, 1, 2)));
