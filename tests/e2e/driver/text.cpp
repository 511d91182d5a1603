#include "tests/e2e/driver/text.h"

#include <windows.h>

#include <cwchar>

std::wstring WideFromUtf8(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

void Print(const std::wstring& line) {
    const std::string bytes = Utf8FromWide(line + L"\n");
    DWORD written = 0;
    // Output that cannot be written has nobody to tell; the exit code still counts.
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

std::wstring Unescape(const std::wstring& text) {
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const wchar_t next = text[++i];
        switch (next) {
            case L'r':
                result += L'\r';
                break;
            case L'n':
                result += L'\n';
                break;
            case L't':
                result += L'\t';
                break;
            default:
                result += next;
        }
    }
    return result;
}

std::wstring Escape(const std::wstring& text) {
    std::wstring result;
    for (const wchar_t c : text) {
        switch (c) {
            case L'\r':
                result += L"\\r";
                break;
            case L'\n':
                result += L"\\n";
                break;
            case L'\t':
                result += L"\\t";
                break;
            case L'\\':
                result += L"\\\\";
                break;
            default:
                result += c;
        }
    }
    return result;
}

std::wstring Trim(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(L" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(Trim(text.substr(start, end - start)));
        if (end == std::wstring::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::wstring Hex(unsigned long value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"0x%lX", value);
    return buffer;
}
