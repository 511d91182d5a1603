#include "app/window_keys.h"

#include "app/control_table.h"
#include "app/main_window.h"

namespace {

bool IsRepeat(const MSG& message) {
    return (message.lParam & (1L << 30)) != 0;
}

// Taken from the table, not from the window: marking a radio button takes the tab
// stop bit off the other one, and both must stay in the tab order.
bool IsTabStop(HWND control) {
    const ControlSpec* row = ControlSpecWithId(GetDlgCtrlID(control));
    return row != nullptr && (row->style & WS_TABSTOP) != 0 && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

// One sibling up or down the stacking order, wrapping around at either end.
HWND Sibling(HWND mainWindow, HWND control, bool up) {
    HWND next = GetWindow(control, up ? GW_HWNDPREV : GW_HWNDNEXT);
    if (next == nullptr) {
        next = GetWindow(GetWindow(mainWindow, GW_CHILD), up ? GW_HWNDLAST : GW_HWNDFIRST);
    }
    return next;
}

// The tab order is the stacking order from the bottom up. GetNextDlgTabItem is no
// help: it walks from the top, and Wine's skips an unmarked radio button.
void MoveFocus(HWND mainWindow, bool backwards) {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(mainWindow, focus)) {
        FocusControlQuietly(ControlNamed("选择框2"));
        return;
    }
    HWND candidate = focus;
    for (int step = 0; step < kControlCount; ++step) {
        candidate = Sibling(mainWindow, candidate, !backwards);
        if (candidate == nullptr || candidate == focus) {
            return;
        }
        if (IsTabStop(candidate)) {
            FocusControlQuietly(candidate);
            return;
        }
    }
}

void ClickDefaultButton(HWND mainWindow) {
    HWND button = ControlNamed("按钮1");
    SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// Any arrow on one radio button moves focus and mark to the other and raises its click.
bool MoveRadioMark(HWND mainWindow) {
    HWND selectAll = ControlNamed("单选框1");
    HWND clear = ControlNamed("单选框2");
    HWND focus = GetFocus();
    if (focus != selectAll && focus != clear) {
        return false;
    }
    HWND other = focus == selectAll ? clear : selectAll;
    FocusControlQuietly(other);
    SendMessageW(focus, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(other), BN_CLICKED),
                 reinterpret_cast<LPARAM>(other));
    return true;
}

}  // namespace

bool HandleWindowKey(HWND mainWindow, const MSG& message) {
    if (message.message != WM_KEYDOWN ||
        (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd))) {
        return false;
    }
    switch (message.wParam) {
        case VK_TAB:
            MoveFocus(mainWindow, GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_RETURN:
            // A held key must not start the block again once a box has closed.
            if (!IsRepeat(message)) {
                ClickDefaultButton(mainWindow);
            }
            return true;
        case VK_ESCAPE:
        case VK_F1:
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return MoveRadioMark(mainWindow);
    }
    return false;
}
