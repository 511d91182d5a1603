#pragma once

// Reading the program's windows: controls by caption, message boxes, the layout.

#include <windows.h>

#include <string>

// The direct child of parent with exactly that caption, or nullptr.
HWND FindChildByCaption(HWND parent, const std::wstring& caption);

// A visible message box (dialog class #32770) of the process, or nullptr.
HWND FindMessageBox(DWORD processId);

// "caption | buttons | icon | text", the form the scripts expect, e.g.
// "信息： | OK,Cancel | icon | 您已经屏蔽过了，真的还要继续?".
std::wstring DescribeMessageBox(HWND box);

// 1 checked, 0 unchecked, -1 for a control that is no check box or radio.
int CheckState(HWND control);

// How the scripts name a control: its caption, or "#id" when it has none.
std::wstring ControlName(HWND control);

// Prints the window and every child in stacking order, first on top.
void PrintLayout(HWND main);
