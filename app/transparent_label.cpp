#include "app/transparent_label.h"

#include "app/author_pages.h"
#include "platform/fatal_error.h"

const wchar_t kTransparentLabelClass[] = L"JingyingTransparentLabel";

namespace {

LRESULT CALLBACK TransparentLabelProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    try {
        if (message == WM_LBUTTONDOWN) {
            OpenAuthorPages();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        EndWithFatalError(kNoErrorNumber, "");
    }
}

}  // namespace

bool RegisterTransparentLabel(HINSTANCE instance) {
    WNDCLASSEXW labelClass = {};
    labelClass.cbSize = sizeof labelClass;
    labelClass.lpfnWndProc = TransparentLabelProcedure;
    labelClass.hInstance = instance;
    labelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // No background brush and no painting of its own, so the credit beneath shows.
    labelClass.hbrBackground = nullptr;
    labelClass.lpszClassName = kTransparentLabelClass;
    return RegisterClassExW(&labelClass) != 0;
}
