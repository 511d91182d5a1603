#include "tests/e2e/driver/steps.h"

#include <cwchar>
#include <map>

#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/text.h"

namespace {

using Handler = void (*)(Session&, const std::wstring&);

HWND MainWindow(Session& session) {
    if (!session.target.main) {
        throw StepFailure{L"no main window yet: wait-window first"};
    }
    return session.target.main;
}

HWND Control(Session& session, const std::wstring& caption) {
    HWND main = MainWindow(session);
    return WaitFor(
        session.target, [&]() { return FindChildByCaption(main, caption); },
        L"a control captioned " + caption);
}

unsigned long Number(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0') {
        throw StepFailure{L"not a number: " + text};
    }
    return value;
}

std::wstring FocusName(Session& session) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(session.target.process.dwThreadId, &info) || !info.hwndFocus) {
        return L"(nothing)";
    }
    return ControlName(info.hwndFocus);
}

void HoldFile(Session& session, const std::wstring& path, DWORD access) {
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw StepFailure{L"cannot open " + path + L", error " + std::to_wstring(GetLastError())};
    }
    session.heldFiles.push_back(file);
}

bool Matches(const std::wstring& seen, const std::wstring& expected) {
    if (!expected.empty() && expected.back() == L'*') {
        return seen.compare(0, expected.size() - 1, expected, 0, expected.size() - 1) == 0;
    }
    return seen == expected;
}

std::size_t LineCount(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    std::size_t lines = 0;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            lines += buffer[i] == '\n';
        }
    }
    CloseHandle(file);
    return lines;
}

void Start(Session& session, const std::wstring& path) {
    StartProgram(session.target, path.empty() ? session.programPath : path);
}

void WaitWindow(Session& session, const std::wstring& caption) {
    const DWORD processId = session.target.process.dwProcessId;
    session.target.main = WaitFor(
        session.target,
        [&]() -> HWND {
            for (HWND window : TopLevelWindows(processId)) {
                if (IsWindowVisible(window) && WindowText(window) == caption) {
                    return window;
                }
            }
            return nullptr;
        },
        L"a window captioned " + caption);
}

// BM_CLICK is posted: the click can open a modal box, and a sent message would
// not return until somebody answered it.
void Click(Session& session, const std::wstring& caption) {
    if (!PostMessageW(Control(session, caption), BM_CLICK, 0, 0)) {
        throw StepFailure{L"cannot post BM_CLICK, error " + std::to_wstring(GetLastError())};
    }
}

void MouseClick(Session& session, const std::wstring& caption) {
    RECT rect{};
    GetWindowRect(Control(session, caption), &rect);
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void Key(Session&, const std::wstring& name) {
    PressKey(name);
}

// "drag X Y DX DY": presses at (X, Y) of the window's client area, moves by
// (DX, DY), releases, and waits until the window has moved by as much.
void Drag(Session& session, const std::wstring& arguments) {
    const std::vector<std::wstring> parts = SplitAt(arguments, L' ');
    if (parts.size() != 4) {
        throw StepFailure{L"drag takes X Y DX DY"};
    }
    int values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = static_cast<int>(std::wcstol(parts[i].c_str(), nullptr, 10));
    }
    HWND main = MainWindow(session);
    RECT before{};
    GetWindowRect(main, &before);
    POINT point{values[0], values[1]};
    ClientToScreen(main, &point);
    DragFrom(point, values[2], values[3]);
    RECT after{};
    try {
        WaitUntil(
            session.target,
            [&]() {
                GetWindowRect(main, &after);
                return after.left == before.left + values[2] && after.top == before.top + values[3];
            },
            L"the window to move");
    } catch (StepFailure& failure) {
        failure.why += L"; it went from " + std::to_wstring(before.left) + L"," +
                       std::to_wstring(before.top) + L" to " + std::to_wstring(after.left) + L"," +
                       std::to_wstring(after.top);
        throw;
    }
}

void ExpectFocus(Session& session, const std::wstring& caption) {
    try {
        WaitUntil(
            session.target, [&]() { return FocusName(session) == caption; },
            L"the focus on " + caption);
    } catch (StepFailure& failure) {
        failure.why += L"; the focus is on " + FocusName(session);
        throw;
    }
}

void ExpectCheck(Session& session, const std::wstring& arguments) {
    const std::size_t space = arguments.find_last_of(L' ');
    const std::wstring caption = Trim(arguments.substr(0, space));
    const int wanted = static_cast<int>(Number(arguments.substr(space + 1)));
    HWND control = Control(session, caption);
    try {
        WaitUntil(
            session.target, [&]() { return CheckState(control) == wanted; },
            caption + L" to read " + std::to_wstring(wanted));
    } catch (StepFailure& failure) {
        failure.why += L"; it reads " + std::to_wstring(CheckState(control));
        throw;
    }
}

void ExpectBox(Session& session, const std::wstring& expected) {
    const DWORD processId = session.target.process.dwProcessId;
    session.box = WaitFor(
        session.target, [&]() { return FindMessageBox(processId); }, L"a message box");
    std::wstring seen;
    try {
        WaitUntil(
            session.target,
            [&]() {
                seen = DescribeMessageBox(session.box);
                return Matches(seen, Unescape(expected));
            },
            L"the message box " + expected);
    } catch (StepFailure& failure) {
        failure.why += L"; it shows " + Escape(seen);
        throw;
    }
    Print(L"box\t" + Escape(seen));
}

void Answer(Session& session, const std::wstring& button) {
    if (!session.box) {
        throw StepFailure{L"no message box: expect-box first"};
    }
    const int id = button == L"OK" ? IDOK : button == L"Cancel" ? IDCANCEL : 0;
    HWND control = id ? GetDlgItem(session.box, id) : nullptr;
    if (!control) {
        throw StepFailure{L"the message box has no button " + button};
    }
    if (!PostMessageW(control, BM_CLICK, 0, 0)) {
        throw StepFailure{L"cannot post BM_CLICK, error " + std::to_wstring(GetLastError())};
    }
    HWND box = session.box;
    session.box = nullptr;
    WaitFor(
        session.target,
        [&]() { return IsWindow(box) && IsWindowVisible(box) ? nullptr : GetDesktopWindow(); },
        L"the message box to close", true);
}

void ExpectNoBox(Session& session, const std::wstring&) {
    if (HWND box = FindMessageBox(session.target.process.dwProcessId)) {
        throw StepFailure{L"a message box is open: " + Escape(DescribeMessageBox(box))};
    }
}

void ExpectNeverShown(Session& session, const std::wstring& caption) {
    Observe(session.target);
    if (session.target.shownCaptions.count(caption)) {
        throw StepFailure{L"the window " + caption + L" was shown"};
    }
}

void Close(Session& session, const std::wstring&) {
    if (!PostMessageW(MainWindow(session), WM_SYSCOMMAND, SC_CLOSE, 0)) {
        throw StepFailure{L"cannot post SC_CLOSE, error " + std::to_wstring(GetLastError())};
    }
}

// From the process's creation to its end, as the system recorded them.
std::wstring Lifetime(const Target& target) {
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(target.process.hProcess, &created, &ended, &kernel, &user)) {
        return L"unknown";
    }
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    wchar_t text[32];
    std::swprintf(text, 32, L"%.1f", static_cast<double>(ticks(ended) - ticks(created)) / 10000.0);
    return text;
}

void ExpectExit(Session& session, const std::wstring& code) {
    const int seen = static_cast<int>(WaitForExit(session.target));
    Print(L"exit\t" + std::to_wstring(seen) + L"\tlifetime-ms\t" + Lifetime(session.target));
    if (seen != static_cast<int>(std::wcstol(code.c_str(), nullptr, 0))) {
        throw StepFailure{L"exit code " + std::to_wstring(seen) + L", expected " + code};
    }
}

void ExpectRunning(Session& session, const std::wstring&) {
    if (!IsRunning(session.target)) {
        DWORD code = 0;
        GetExitCodeProcess(session.target.process.hProcess, &code);
        throw StepFailure{L"the program ended with exit code " +
                          std::to_wstring(static_cast<int>(code))};
    }
}

void Layout(Session& session, const std::wstring&) {
    PrintLayout(MainWindow(session));
}

void PrintFocus(Session& session, const std::wstring&) {
    Print(L"focus\t" + FocusName(session));
}

void HoldForWriting(Session& session, const std::wstring& path) {
    HoldFile(session, path, GENERIC_WRITE);
}

void HoldWithoutDeleteSharing(Session& session, const std::wstring& path) {
    HoldFile(session, path, GENERIC_READ);
}

void ReleaseFiles(Session& session, const std::wstring&) {
    for (HANDLE file : session.heldFiles) {
        CloseHandle(file);
    }
    session.heldFiles.clear();
}

void SetAttributes(Session&, const std::wstring& arguments) {
    const std::size_t space = arguments.find_last_of(L' ');
    const std::wstring path = Trim(arguments.substr(0, space));
    if (!SetFileAttributesW(path.c_str(), Number(arguments.substr(space + 1)))) {
        throw StepFailure{L"cannot set the attributes of " + path + L", error " +
                          std::to_wstring(GetLastError())};
    }
}

void PrintAttributes(Session&, const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    Print(L"attributes\t" + path + L"\t" +
          (attributes == INVALID_FILE_ATTRIBUTES ? L"missing" : Hex(attributes)));
}

void WaitLines(Session& session, const std::wstring& arguments) {
    const std::size_t space = arguments.find_last_of(L' ');
    const std::wstring path = Trim(arguments.substr(0, space));
    const std::size_t wanted = Number(arguments.substr(space + 1));
    WaitFor(
        session.target, [&]() { return LineCount(path) >= wanted ? GetDesktopWindow() : nullptr; },
        std::to_wstring(wanted) + L" lines in " + path, true);
}

void Notify(Session&, const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw StepFailure{L"cannot create " + path};
    }
    CloseHandle(file);
}

void WaitFile(Session& session, const std::wstring& path) {
    WaitFor(
        session.target,
        [&]() {
            return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? GetDesktopWindow()
                                                                               : nullptr;
        },
        path, true);
}

void SetWaitLimit(Session&, const std::wstring& milliseconds) {
    g_waitLimit = Number(milliseconds);
}

const std::map<std::wstring, Handler>& Handlers() {
    static const std::map<std::wstring, Handler> handlers = {
        {L"start", Start},
        {L"wait-window", WaitWindow},
        {L"click", Click},
        {L"mouse-click", MouseClick},
        {L"key", Key},
        {L"drag", Drag},
        {L"expect-focus", ExpectFocus},
        {L"expect-check", ExpectCheck},
        {L"expect-box", ExpectBox},
        {L"answer", Answer},
        {L"expect-no-box", ExpectNoBox},
        {L"expect-never-shown", ExpectNeverShown},
        {L"close", Close},
        {L"expect-exit", ExpectExit},
        {L"expect-running", ExpectRunning},
        {L"layout", Layout},
        {L"print-focus", PrintFocus},
        {L"hold-for-writing", HoldForWriting},
        {L"hold-without-delete-sharing", HoldWithoutDeleteSharing},
        {L"release-files", ReleaseFiles},
        {L"set-attributes", SetAttributes},
        {L"attributes", PrintAttributes},
        {L"wait-lines", WaitLines},
        {L"notify", Notify},
        {L"wait-file", WaitFile},
        {L"wait-limit", SetWaitLimit},
    };
    return handlers;
}

}  // namespace

void RunStep(Session& session, const Step& step) {
    const auto handler = Handlers().find(step.command);
    if (handler == Handlers().end()) {
        throw StepFailure{L"unknown step " + step.command};
    }
    handler->second(session, step.arguments);
}

void CleanUp(Session& session) {
    if (IsRunning(session.target)) {
        Print(L"note\tthe program was still running and is ended");
        // Nothing more to do if it cannot be ended; the harness ends the Wine server.
        TerminateProcess(session.target.process.hProcess, 99);
        WaitForSingleObject(session.target.process.hProcess, 2000);
    }
    ReleaseFiles(session, L"");
}
