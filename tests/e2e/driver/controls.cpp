#include "tests/e2e/driver/controls.h"

#include <vector>

#include "tests/e2e/driver/target.h"
#include "tests/e2e/driver/text.h"

namespace {

// Message boxes give their text control this id and their icon control 1088.
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 1088;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

std::vector<HWND> ChildrenInStackingOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::wstring IconKind(HWND box) {
    HWND iconControl = GetDlgItem(box, kMessageIconId);
    if (!iconControl || !IsWindowVisible(iconControl)) {
        return L"none";
    }
    // Which icon it is cannot be told from another process (its image is not
    // readable here); the core's tests check the style the program asks for.
    return Ask(iconControl, STM_GETICON) ? L"icon" : L"none";
}

std::wstring ButtonsOf(HWND box) {
    const struct {
        int id;
        const wchar_t* name;
    } buttons[] = {{IDOK, L"OK"},       {IDCANCEL, L"Cancel"}, {IDABORT, L"Abort"},
                   {IDRETRY, L"Retry"}, {IDIGNORE, L"Ignore"}, {IDYES, L"Yes"},
                   {IDNO, L"No"}};
    std::wstring list;
    for (const auto& button : buttons) {
        HWND control = GetDlgItem(box, button.id);
        if (control && IsWindowVisible(control)) {
            list += (list.empty() ? L"" : L",") + std::wstring(button.name);
        }
    }
    return list;
}

std::wstring RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
           std::to_wstring(rect.right - rect.left) + L"," + std::to_wstring(rect.bottom - rect.top);
}

}  // namespace

HWND FindChildByCaption(HWND parent, const std::wstring& caption) {
    for (HWND child : ChildrenInStackingOrder(parent)) {
        if (WindowText(child) == caption) {
            return child;
        }
    }
    return nullptr;
}

HWND FindMessageBox(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && ClassName(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

std::wstring DescribeMessageBox(HWND box) {
    HWND text = GetDlgItem(box, kMessageTextId);
    return WindowText(box) + L" | " + ButtonsOf(box) + L" | " + IconKind(box) + L" | " +
           (text ? WindowText(text) : L"");
}

int CheckState(HWND control) {
    if (ClassName(control) != L"Button") {
        return -1;
    }
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_RADIOBUTTON &&
        type != BS_AUTORADIOBUTTON && type != BS_3STATE && type != BS_AUTO3STATE) {
        return -1;
    }
    return static_cast<int>(Ask(control, BM_GETCHECK));
}

std::wstring ControlName(HWND control) {
    const std::wstring caption = WindowText(control);
    return caption.empty() ? L"#" + std::to_wstring(GetDlgCtrlID(control)) : caption;
}

void PrintLayout(HWND main) {
    RECT rect{};
    GetWindowRect(main, &rect);
    HWND owner = GetWindow(main, GW_OWNER);
    Print(L"screen\t" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"," +
          std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    Print(L"window\tclass=" + ClassName(main) + L"\tcaption=" + WindowText(main) + L"\trect=" +
          std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
          std::to_wstring(rect.right - rect.left) + L"," + std::to_wstring(rect.bottom - rect.top) +
          L"\tstyle=" + Hex(static_cast<unsigned long>(GetWindowLongW(main, GWL_STYLE))) +
          L"\texstyle=" + Hex(static_cast<unsigned long>(GetWindowLongW(main, GWL_EXSTYLE))) +
          L"\towner=" + (owner ? (IsWindowVisible(owner) ? L"visible" : L"hidden") : L"none"));
    // The window's icons and fonts are not shown: under Wine, WM_GETICON and
    // WM_GETFONT sent from another process answer 0.
    int z = 0;
    for (HWND child : ChildrenInStackingOrder(main)) {
        Print(L"control\tz=" + std::to_wstring(++z) + L"\tclass=" + ClassName(child) +
              L"\tcaption=" + Escape(WindowText(child)) + L"\tid=" +
              std::to_wstring(GetDlgCtrlID(child)) + L"\trect=" + RectInParent(child) +
              L"\tstyle=" + Hex(static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE))) +
              L"\texstyle=" + Hex(static_cast<unsigned long>(GetWindowLongW(child, GWL_EXSTYLE))) +
              L"\tvisible=" + (IsWindowVisible(child) ? L"1" : L"0") + L"\tcheck=" +
              std::to_wstring(CheckState(child)));
    }
}
