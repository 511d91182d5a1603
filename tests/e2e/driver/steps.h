#pragma once

// The steps a script can take against the program.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/target.h"

struct Session {
    std::wstring programPath;
    Target target;
    std::vector<HANDLE> heldFiles;
    HWND box = nullptr;  // the message box the last expect-box found
};

// Runs one step; throws StepFailure when it does not hold.
void RunStep(Session& session, const Step& step);

// Ends a program that is still running and lets held files go.
void CleanUp(Session& session);
