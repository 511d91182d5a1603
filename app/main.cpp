#include <windows.h>

#include "app/main_window.h"
#include "app/main_window_created.h"
#include "app/window_keys.h"
#include "platform/fatal_error.h"
#include "platform/platform.h"

namespace {

void RunMessageLoop(HWND mainWindow) {
    MSG message;
    // GetMessageW fails (-1) only for a bad window handle, and we pass none.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (HandleWindowKey(mainWindow, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        EnterProgramDirectory();
        HWND mainWindow = CreateMainWindow(instance);
        if (mainWindow == nullptr) {
            EndWithFatalError(kNoErrorNumber, "");
        }
        OnMainWindowCreated();
        ShowWindow(mainWindow, showCommand);
        RunMessageLoop(mainWindow);
    } catch (...) {
        EndWithFatalError(kNoErrorNumber, "");
    }
    // The window was closed: nothing is written.
    EndProgram(0);
}
