// e2e_driver: runs a script of steps against jingying.exe under Wine.
//   e2e_driver --program C:\path\jingying.exe SCRIPT.txt
// It also stands in for a web browser, recording the addresses it is asked to open:
//   e2e_driver --record-address FILE ADDRESS...

#include <windows.h>

#include <string>

#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/steps.h"
#include "tests/e2e/driver/text.h"

namespace {

int RecordAddress(int argc, wchar_t** argv) {
    std::wstring line;
    for (int i = 3; i < argc; ++i) {
        line += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
    }
    const std::string bytes = Utf8FromWide(line + L"\n");
    HANDLE file = CreateFileW(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size() ? 0 : 1;
}

int RunScript(const std::wstring& program, const std::wstring& scriptPath) {
    Session session;
    session.programPath = program;
    std::vector<Step> steps;
    const Step* current = nullptr;
    try {
        steps = LoadScript(scriptPath);
        for (const Step& step : steps) {
            current = &step;
            RunStep(session, step);
        }
    } catch (const StepFailure& failure) {
        if (current) {
            Print(L"FAIL\tline " + std::to_wstring(current->line) + L" (" + current->command +
                  L" " + current->arguments + L"): " + failure.why);
        } else {
            Print(L"FAIL\t" + failure.why);
        }
        CleanUp(session);
        return 1;
    }
    CleanUp(session);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--record-address" && argc >= 3) {
        return RecordAddress(argc, argv);
    }
    if (mode == L"--program" && argc == 4) {
        return RunScript(argv[2], argv[3]);
    }
    Print(L"usage: e2e_driver --program EXE SCRIPT | --record-address FILE ADDRESS...");
    return 2;
}
