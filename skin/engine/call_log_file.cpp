#include <windows.h>

#include <cstdio>
#include <string>

#include "skin/engine/call_log.h"

// Each call becomes one line of "SkinH_EL.log" beside this library, written and
// closed before the call returns, so the log is complete even if the caller then
// shows a box or ends.

namespace {

std::wstring LogPath() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&LogPath), &self)) {
        return L"";
    }
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return L"";
    }
    std::wstring result(path, length);
    const std::size_t slash = result.find_last_of(L'\\');
    result.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return result + L"SkinH_EL.log";
}

void AppendLine(const std::string& line) {
    const std::wstring path = LogPath();
    if (path.empty()) {
        return;  // nowhere to write; the call itself still goes on
    }
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    // A short write leaves a visibly cut line, which the test reading the log reports.
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Quoted(const char* text) {
    if (text == nullptr) {
        return "null";
    }
    std::string result = "\"";
    for (const char* p = text; *p != '\0' && p - text < 1024; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            result += static_cast<char>(byte);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            result += escaped;
        }
    }
    return result + "\"";
}

// FNV-1a, enough to tell which skin was handed over.
std::uint32_t Fingerprint(const void* data, std::int32_t length) {
    std::uint32_t hash = 2166136261u;
    if (data != nullptr) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (std::int32_t i = 0; i < length; ++i) {
            hash = (hash ^ bytes[i]) * 16777619u;
        }
    }
    return hash;
}

}  // namespace

void RecordAttachRes(const void* data, std::int32_t length, const char* text, std::int32_t a,
                     std::int32_t b, std::int32_t c, std::int32_t result) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, ", %ld, %ld, %ld) data=%s fnv1a=%08lx -> %ld\r\n",
                  static_cast<long>(a), static_cast<long>(b), static_cast<long>(c),
                  data == nullptr ? "null" : "bytes",
                  static_cast<unsigned long>(Fingerprint(data, length)), static_cast<long>(result));
    AppendLine("SkinH_AttachRes(" + std::to_string(length) + ", " + Quoted(text) + numbers);
}

void RecordSetAero(std::int32_t enabled, std::int32_t result) {
    char line[64];
    std::snprintf(line, sizeof line, "SkinH_SetAero(%ld) -> %ld\r\n", static_cast<long>(enabled),
                  static_cast<long>(result));
    AppendLine(line);
}
