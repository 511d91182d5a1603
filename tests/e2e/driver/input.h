#pragma once

// Keyboard and mouse input as a user makes it, through the system's input queue,
// so it reaches whichever control has the focus or lies under the pointer.

#include <windows.h>

#include <string>

// A key name such as ENTER, TAB, SHIFT+TAB, ESCAPE, F1, SPACE, LEFT, RIGHT, ALT+F4.
// Throws StepFailure for a name it does not know.
void PressKey(const std::wstring& name);

// Left button down and up at a point on the screen.
void ClickAt(POINT screenPoint);

// Left button down at from, moved in small steps by (dx, dy), then up.
void DragFrom(POINT screenPoint, int dx, int dy);
