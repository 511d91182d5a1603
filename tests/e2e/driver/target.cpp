#include "tests/e2e/driver/target.h"

#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/text.h"

DWORD g_waitLimit = 8000;

namespace {

// Short, so the waits add little to the program's own time in the benchmark.
constexpr DWORD kPollInterval = 2;

struct WindowsOfProcess {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowsOfProcess*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

void StartProgram(Target& target, const std::wstring& path) {
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &target.process)) {
        throw StepFailure{L"cannot start " + path + L", error " + std::to_wstring(GetLastError())};
    }
}

bool HasStarted(const Target& target) {
    return target.process.hProcess != nullptr;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowsOfProcess search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT through the timeout variant, so a hung program fails the step
    // instead of hanging the driver.
    wchar_t buffer[1024] = L"";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        return L"";
    }
    return std::wstring(buffer, copied);
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[256] = L"";
    GetClassNameW(window, buffer, 256);
    return buffer;
}

void Observe(Target& target) {
    if (!HasStarted(target)) {
        return;
    }
    for (HWND window : TopLevelWindows(target.process.dwProcessId)) {
        if (IsWindowVisible(window)) {
            target.shownCaptions.insert(WindowText(window));
        }
    }
}

bool IsRunning(const Target& target) {
    return HasStarted(target) && WaitForSingleObject(target.process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND WaitFor(Target& target, const std::function<HWND()>& find, const std::wstring& what,
             bool endingIsFine) {
    const DWORD start = GetTickCount();
    for (;;) {
        Observe(target);
        if (HWND window = find()) {
            return window;
        }
        if (!endingIsFine && HasStarted(target) && !IsRunning(target)) {
            DWORD code = 0;
            GetExitCodeProcess(target.process.hProcess, &code);
            throw StepFailure{L"the program ended with exit code " +
                              std::to_wstring(static_cast<int>(code)) + L" while waiting for " +
                              what};
        }
        if (GetTickCount() - start > g_waitLimit) {
            throw StepFailure{L"timed out waiting for " + what};
        }
        Sleep(kPollInterval);
    }
}

void WaitUntil(Target& target, const std::function<bool()>& condition, const std::wstring& what) {
    WaitFor(
        target, [&]() { return condition() ? GetDesktopWindow() : nullptr; }, what);
}

DWORD WaitForExit(Target& target) {
    if (!HasStarted(target)) {
        throw StepFailure{L"the program was never started"};
    }
    WaitFor(
        target, [&]() { return IsRunning(target) ? nullptr : GetDesktopWindow(); },
        L"the program to end", true);
    DWORD code = 0;
    GetExitCodeProcess(target.process.hProcess, &code);
    return code;
}
