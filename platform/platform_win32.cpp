#include <windows.h>

#include <shellapi.h>

#include <stdexcept>
#include <vector>

#include "platform/open_files_win32.h"
#include "platform/platform.h"
#include "platform/wide_text_win32.h"

const char* const kDefaultCaption = "信息：";

namespace {

std::vector<void (*)()> endSteps;

// Calls fill(buffer, size) with a growing buffer until the answer fits; fill
// returns the length written, 0 on failure.
template <typename Fill>
std::wstring GrowingBufferText(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            // Without these folders there is no safe path to the hosts file or the
            // engine; the window boundary turns this into the fatal error box.
            throw std::runtime_error("system folder unavailable");
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring TrimmedLineEnd(std::wstring text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

std::string SystemDirectory() {
    std::wstring folder = GrowingBufferText(
        [](wchar_t* buffer, DWORD size) -> DWORD { return GetSystemDirectoryW(buffer, size); });
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    return Narrow(folder);
}

std::string ProgramDirectory() {
    const std::wstring file = GrowingBufferText(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    const std::size_t slash = file.find_last_of(L'\\');
    return Narrow(slash == std::wstring::npos ? file : file.substr(0, slash));
}

void EnterProgramDirectory() {
    std::wstring folder = Widen(ProgramDirectory());
    // "C:" alone would mean the drive's current folder rather than its root.
    if (!folder.empty() && folder.back() == L':') {
        folder += L'\\';
    }
    // Every path the program uses is absolute; a failure changes nothing it relies on.
    SetCurrentDirectoryW(folder.c_str());
}

std::string SystemErrorText(SystemError error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr) {
        text = TrimmedLineEnd(std::wstring(buffer, length));
    }
    // Freeing the system's buffer cannot fail in a way we could act on.
    LocalFree(buffer);
    if (text.empty()) {
        return "错误 " + std::to_string(error);
    }
    return Narrow(text);
}

bool IsAccessDenied(SystemError error) {
    return error == ERROR_ACCESS_DENIED;
}

int ShowMessage(const std::string& text, unsigned style, const std::string& caption) {
    const unsigned modality = (style & kMessageSystemModal) != 0 ? 0 : kMessageTaskModal;
    // A box that cannot be shown answers -1, which no caller takes for OK.
    return MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), style | modality) - 1;
}

void OpenWebAddress(const std::string& address) {
    HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
    // Fire and forget: a browser that does not start is not the program's concern.
    ShellExecuteW(owner, L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void FlushDnsCache() {
    // Only the system's own copy: a dnsapi.dll planted beside the program is never loaded.
    HMODULE library = LoadLibraryExW(L"dnsapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr) {
        return;
    }
    using FlushResolverCache = BOOL(WINAPI*)();
    auto flush =
        reinterpret_cast<FlushResolverCache>(GetProcAddress(library, "DnsFlushResolverCache"));
    // Old cached answers only delay the blocking; a failed flush is not reported.
    if (flush != nullptr) {
        flush();
    }
    FreeLibrary(library);
}

void AddEndStep(void (*step)()) {
    endSteps.push_back(step);
}

void EndProgram(int exitCode) {
    // Taken off the list before running, so a step that ends the program itself
    // is not run twice.
    while (!endSteps.empty()) {
        void (*step)() = endSteps.back();
        endSteps.pop_back();
        step();
    }
    CloseEveryListedFile();
    ExitProcess(static_cast<UINT>(exitCode));
}
