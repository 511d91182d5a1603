#include "app/main_window.h"

#include "app/control_table.h"
#include "app/transparent_label.h"
#include "hosts/block_now.h"
#include "hosts/site_selection.h"
#include "platform/fatal_error.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"JingyingMainWindow";
constexpr wchar_t kCaption[] = L"净影通(支持各大视频网)";
constexpr int kWindowWidth = 405;
constexpr int kWindowHeight = 196;
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

HWND mainWindow = nullptr;
HWND focusToRestore = nullptr;
bool focusingQuietly = false;

const wchar_t* ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::PushButton:
            return L"BUTTON";
        case ControlKind::EditBox:
            return L"EDIT";
        case ControlKind::TransparentLabel:
            return kTransparentLabelClass;
    }
    return L"STATIC";
}

HWND SiteBoxWindow(int box) {
    return GetDlgItem(mainWindow, kSiteBoxIdBase + box);
}

// A box that does not exist reads as unchecked and ignores being set.
bool IsSiteBoxChecked(int box) {
    return SendMessageW(SiteBoxWindow(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetSiteBoxChecked(int box, bool checked) {
    SendMessageW(SiteBoxWindow(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Children are added below their elder siblings, so creating the rows in order
// gives the table's stacking order.
bool CreateControls(HWND window, HINSTANCE instance) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& row : kControls) {
        HWND control = CreateWindowExW(
            row.exStyle, ClassOf(row.kind), row.caption, WS_CHILD | row.style, row.x, row.y,
            row.width, row.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
            instance, nullptr);
        if (control == nullptr) {
            return false;
        }
        SendMessageW(control, WM_SETFONT, font, FALSE);
        if (row.start == StartState::ShownMarked) {
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
        }
        if (row.start != StartState::Hidden) {
            // Inside the still hidden window: nothing appears yet.
            ShowWindow(control, SW_SHOWNA);
        }
    }
    // 编辑框1 takes as much text as the system allows.
    SendMessageW(GetDlgItem(window, kHiddenEditId), EM_SETLIMITTEXT, 0, 0);
    return true;
}

// A missing icon leaves the system's default one; nothing else depends on it.
void SetIcons(HWND window, HINSTANCE instance) {
    const auto load = [instance](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(LoadImageW(
            instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, GetSystemMetrics(metricX),
            GetSystemMetrics(metricY), LR_DEFAULTCOLOR | LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    SendMessageW(window, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& creation) {
    mainWindow = window;
    if (!CreateControls(window, creation.hInstance)) {
        return -1;
    }
    SetIcons(window, creation.hInstance);
    BindSiteBoxes({IsSiteBoxChecked, SetSiteBoxChecked});
    focusToRestore = ControlNamed("选择框2");
    return 0;
}

// An ownerless box can close with no window of ours active, and the keyboard
// would then reach nothing; the box was ours, so taking the foreground is allowed.
void TakeBackActivation() {
    if (GetActiveWindow() != mainWindow) {
        // Failing leaves the window as it is; a click activates it again.
        SetForegroundWindow(mainWindow);
    }
}

void OnClick(const ControlSpec& control) {
    switch (control.kind) {
        case ControlKind::CheckBox:
            if (const SiteEntry* site = SiteForBox(control.id - kSiteBoxIdBase)) {
                ToggleSite(*site);
            }
            return;
        case ControlKind::RadioButton:
            if (focusingQuietly) {
                return;
            }
            if (control.id == kSelectAllId) {
                SelectAllSites();
            } else {
                ClearSites();
            }
            return;
        case ControlKind::PushButton:
            BlockNow();
            TakeBackActivation();
            return;
        case ControlKind::EditBox:
        case ControlKind::TransparentLabel:
            return;
    }
}

// Only a click reported by one of our own controls counts; IDCANCEL from Esc and
// menu or accelerator commands come without that control's handle.
void OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const auto sender = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != BN_CLICKED || sender == nullptr || sender != GetDlgItem(mainWindow, id)) {
        return;
    }
    if (const ControlSpec* control = ControlSpecWithId(id)) {
        OnClick(*control);
    }
}

// An empty spot of the surface drags the window like its title bar.
LRESULT OnHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

// A plain window would give the focus to itself on activation; keep it on the
// control that had it, as a dialog does.
void OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(mainWindow, focus)) {
            focusToRestore = focus;
        }
        return;
    }
    const bool minimised = HIWORD(wParam) != 0;
    if (!minimised && focusToRestore != nullptr) {
        FocusControlQuietly(focusToRestore);
    }
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_CREATE:
                return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
            case WM_COMMAND:
                OnCommand(wParam, lParam);
                return 0;
            case WM_NCHITTEST:
                return OnHitTest(window, wParam, lParam);
            case WM_ACTIVATE:
                OnActivate(wParam);
                return 0;
            case WM_HELP:
                return TRUE;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        EndWithFatalError(kNoErrorNumber, "");
    }
}

// Only when changed: setting a radio button's mark also moves its tab stop bit.
void RestoreMark(HWND radio, LRESULT mark) {
    if (SendMessageW(radio, BM_GETCHECK, 0, 0) != mark) {
        SendMessageW(radio, BM_SETCHECK, static_cast<WPARAM>(mark), 0);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    if (!RegisterMainWindowClass(instance) || !RegisterTransparentLabel(instance)) {
        return nullptr;
    }
    // A hidden owner keeps the main window off the taskbar.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
    if (owner == nullptr) {
        return nullptr;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    return CreateWindowExW(0, kMainWindowClass, kCaption, kMainWindowStyle, left, top, kWindowWidth,
                           kWindowHeight, owner, nullptr, instance, nullptr);
}

HWND ControlNamed(const char* name) {
    const ControlSpec* control = ControlSpecNamed(name);
    if (control == nullptr || mainWindow == nullptr) {
        return nullptr;
    }
    return GetDlgItem(mainWindow, control->id);
}

void FocusControlQuietly(HWND control) {
    HWND selectAll = ControlNamed("单选框1");
    HWND clear = ControlNamed("单选框2");
    const LRESULT selectAllMark = SendMessageW(selectAll, BM_GETCHECK, 0, 0);
    const LRESULT clearMark = SendMessageW(clear, BM_GETCHECK, 0, 0);
    focusingQuietly = true;
    // A refused focus change leaves the focus where it was.
    SetFocus(control);
    focusingQuietly = false;
    RestoreMark(selectAll, selectAllMark);
    RestoreMark(clear, clearMark);
}
