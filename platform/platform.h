#pragma once

// The operating-system services the program needs. Paths and the program's own
// texts are UTF-8; paths are Windows paths with backslashes. File contents are
// raw bytes carried in std::string and never converted.

#include <cstdint>
#include <string>

using FileNumber = std::uint32_t;   // 0 means "no file"
using SystemError = std::uint32_t;  // 0 means success

constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeSystem = 0x04;
constexpr std::uint32_t kAttributeArchive = 0x20;

// Message-box styles and answers, with the values Windows gives them.
constexpr unsigned kMessageOkOnly = 0x00;
constexpr unsigned kMessageOkCancel = 0x01;
constexpr unsigned kMessageIconError = 0x10;
constexpr unsigned kMessageIconInformation = 0x40;
constexpr unsigned kMessageSystemModal = 0x1000;
constexpr unsigned kMessageTaskModal = 0x2000;
constexpr int kAnswerOk = 0;  // a box's answer is the pressed button's id minus one
constexpr int kAnswerCancel = 1;

extern const char* const kDefaultCaption;  // "信息："

// Ends with a backslash.
std::string SystemDirectory();
// The folder of the running executable, without a trailing backslash ("C:" for a drive root).
std::string ProgramDirectory();
void EnterProgramDirectory();

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);

// Opens an existing file for reading, letting others read and write it but not
// delete or rename it. The number stays listed until CloseFile or EndProgram.
FileNumber OpenForReading(const std::string& path);
// Closing 0 or a number that is not listed does nothing.
void CloseFile(FileNumber number);

// Reads the whole file while letting others only read it. False on any failure.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes bytes to a temporary file beside path, checks and flushes them, then puts
// the file in place in one step (replacing an existing file keeps its security
// settings and attributes). On failure the temporary file is gone and path is as
// it was.
SystemError WriteFileAtomically(const std::string& path, const std::string& bytes);

// Copies from to a temporary file beside to, then puts it in place in one step,
// so a failed copy leaves an existing destination as it was.
SystemError CopyFileAtomically(const std::string& from, const std::string& to);

bool GetAttributes(const std::string& path, std::uint32_t& attributes);
// Only the read-only, hidden, system and archive bits are passed on.
SystemError SetAttributes(const std::string& path, std::uint32_t attributes);

// The system's text for an error, without a trailing line break.
std::string SystemErrorText(SystemError error);
bool IsAccessDenied(SystemError error);

// A message box without owner; task-modal unless system-modal is asked for.
int ShowMessage(const std::string& text, unsigned style,
                const std::string& caption = kDefaultCaption);

void OpenWebAddress(const std::string& address);

// Drops the system resolver's cached answers; failure is of no consequence.
void FlushDnsCache();

// Something to undo at the end, such as releasing a bound library; EndProgram
// runs these, latest first, before it closes the files.
void AddEndStep(void (*step)());

// Runs the end steps, closes every listed file and ends the process.
[[noreturn]] void EndProgram(int exitCode);
