#pragma once

// Errors the program cannot go on after: a box, then the end with exit code -1.

#include <cstddef>
#include <string>

constexpr int kNoErrorNumber = 0;
constexpr int kStackErrorNumber = 6;

extern const char* const kFatalErrorCaption;  // "错误"
extern const char* const kStackErrorMessage;  // "调用DLL命令后发现堆栈错误"

// The box's text; the number and the message each appear only when given.
std::string FatalErrorText(int number, const std::string& message);

std::string UnboundExportMessage(const std::string& library, const std::string& function);
std::string RefusedAllocationMessage(std::size_t bytes);

// Shows the box (no owner, stop icon) and ends the program with -1.
[[noreturn]] void EndWithFatalError(int number, const std::string& message);
