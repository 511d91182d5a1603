#pragma once

// Test controls of the POSIX platform. The POSIX platform keeps the Windows rules
// the program relies on (attributes, sharing, refused overwrites) so the native
// tests can run the real file logic in a temporary folder.

#include <cstdint>
#include <string>
#include <vector>

#include "platform.h"

// Windows paths "C:\..." map to "<root>/C/..." with '\' turned into '/'.
// The system directory is C:\Windows\System32\, the program directory C:\Program.
// Resets every other control: open files, attributes, failures, messages, answers.
void SetPosixRoot(const std::string& root);
std::string PosixPathOf(const std::string& windowsPath);

enum class PosixService { Open, Read, Copy, Write, Flush, Replace, GetAttributes, SetAttributes };
// Makes the next call of that service fail with error (after letting `skip` calls pass).
void FailService(PosixService service, SystemError error, int skip = 0);

// Called after every step that touches the disk, with a short name of the step;
// the crash test ends the process there.
using PosixStepHook = void (*)(const char* step);
void SetPosixStepHook(PosixStepHook hook);

// Another program's handle on a file, with Windows access and sharing bits.
constexpr unsigned kAccessRead = 1, kAccessWrite = 2, kAccessDelete = 4;
constexpr unsigned kShareRead = 1, kShareWrite = 2, kShareDelete = 4;
int OpenForeignHandle(const std::string& windowsPath, unsigned access, unsigned share);
void CloseForeignHandle(int handle);
std::size_t ListedFileCount();

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned style;
};
const std::vector<ShownMessage>& ShownMessages();
// Answers for coming message boxes, in order; without one a box answers OK.
void QueueAnswer(int answer);

std::vector<std::string> OpenedWebAddresses();
int DnsFlushCount();

// EndProgram throws this after its clean-up, so a test sees the end and goes on.
struct ProgramEnded {
    int exitCode;
};

// Errors the emulated Windows rules report (errno values).
extern const SystemError kPosixAccessDenied;
extern const SystemError kPosixSharingViolation;
