#pragma once

// A test script: one step a line, "command arguments"; '#' starts a comment line.

#include <string>
#include <vector>

struct Step {
    int line;
    std::wstring command;
    std::wstring arguments;  // the rest of the line, trimmed
};

// Reads a UTF-8 file; throws StepFailure when it cannot.
std::vector<Step> LoadScript(const std::wstring& path);

// What a failed step throws; the driver prints it and exits with 1.
struct StepFailure {
    std::wstring why;
};
