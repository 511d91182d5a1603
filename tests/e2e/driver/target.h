#pragma once

// The program under test: its process, its windows and the waits on them.

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

struct Target {
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    // Captions of every top-level window of the program seen visible so far.
    std::set<std::wstring> shownCaptions;
};

// How long any wait lasts before the step fails, in milliseconds.
extern DWORD g_waitLimit;

void StartProgram(Target& target, const std::wstring& path);
bool HasStarted(const Target& target);

std::vector<HWND> TopLevelWindows(DWORD processId);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Records the visible top-level windows; every wait calls it on each round.
void Observe(Target& target);

// Repeats find until it returns a window, failing with what after the wait limit.
// Also fails early when the program ends meanwhile, unless endingIsFine.
HWND WaitFor(Target& target, const std::function<HWND()>& find, const std::wstring& what,
             bool endingIsFine = false);

// Waits until condition holds, with the same limit.
void WaitUntil(Target& target, const std::function<bool()>& condition, const std::wstring& what);

// The exit code, waiting up to the limit; fails while the program still runs.
DWORD WaitForExit(Target& target);
bool IsRunning(const Target& target);
