#pragma once

// 透明标签1: a child window that paints nothing, takes no focus and opens the
// author's pages when pressed, laid over the credit text.

#include <windows.h>

extern const wchar_t kTransparentLabelClass[];

bool RegisterTransparentLabel(HINSTANCE instance);
