#include "platform/wide_text_win32.h"

#include <windows.h>

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    // Our own texts and paths are valid UTF-8; an empty result shows up as a failed
    // call further on rather than as a wrong file.
    if (length <= 0) {
        return {};
    }
    std::wstring utf16(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &utf16[0], length);
    return utf16;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), &utf8[0], length,
                        nullptr, nullptr);
    return utf8;
}
