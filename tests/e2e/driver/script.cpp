#include "tests/e2e/driver/script.h"

#include <windows.h>

#include "tests/e2e/driver/text.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw StepFailure{L"cannot open script " + path};
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::vector<Step> LoadScript(const std::wstring& path) {
    const std::wstring text = WideFromUtf8(ReadBytes(path));
    std::vector<Step> steps;
    int number = 0;
    for (const std::wstring& raw : SplitAt(text, L'\n')) {
        ++number;
        const std::wstring line = Trim(raw);
        if (line.empty() || line[0] == L'#') {
            continue;
        }
        const std::size_t space = line.find_first_of(L" \t");
        Step step{number, line.substr(0, space), L""};
        if (space != std::wstring::npos) {
            step.arguments = Trim(line.substr(space));
        }
        steps.push_back(step);
    }
    return steps;
}
