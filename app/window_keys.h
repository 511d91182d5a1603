#pragma once

// The window's keyboard: Tab and Shift+Tab in the listed order, Enter for 立即屏蔽,
// arrows between the radio buttons, Esc and F1 doing nothing.

#include <windows.h>

// True when the message was a key of the window that has been dealt with.
bool HandleWindowKey(HWND mainWindow, const MSG& message);
