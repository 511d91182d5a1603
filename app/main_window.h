#pragma once

// MainWindow: a fixed, centred window without taskbar button, holding the controls
// of the control table and handing their clicks to the core.

#include <windows.h>

// Creates the hidden owner and the main window with its controls, the window still
// hidden. nullptr on failure.
HWND CreateMainWindow(HINSTANCE instance);

// The control of that layout name, e.g. "按钮1"; nullptr before the window exists.
HWND ControlNamed(const char* name);

// Moves the focus from code. Windows raises a click when an unmarked radio button
// is focused that way; that click is dropped here and the marks are kept.
void FocusControlQuietly(HWND control);
