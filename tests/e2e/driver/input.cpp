#include "tests/e2e/driver/input.h"

#include <vector>

#include "tests/e2e/driver/script.h"
#include "tests/e2e/driver/text.h"

namespace {

WORD VirtualKeyNamed(const std::wstring& name) {
    const struct {
        const wchar_t* name;
        WORD key;
    } keys[] = {{L"ENTER", VK_RETURN}, {L"TAB", VK_TAB},     {L"ESCAPE", VK_ESCAPE},
                {L"F1", VK_F1},        {L"F4", VK_F4},       {L"SPACE", VK_SPACE},
                {L"LEFT", VK_LEFT},    {L"RIGHT", VK_RIGHT}, {L"UP", VK_UP},
                {L"DOWN", VK_DOWN},    {L"SHIFT", VK_SHIFT}, {L"ALT", VK_MENU},
                {L"CTRL", VK_CONTROL}};
    for (const auto& key : keys) {
        if (name == key.name) {
            return key.key;
        }
    }
    throw StepFailure{L"unknown key " + name};
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        throw StepFailure{L"SendInput took " + std::to_wstring(sent) + L" of " +
                          std::to_wstring(inputs.size()) + L" events, error " +
                          std::to_wstring(GetLastError())};
    }
}

INPUT MouseInput(POINT screenPoint, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // The system maps back with a truncating division; rounding up lands on the pixel.
    input.mi.dx = (screenPoint.x * 65536 + width - 1) / width;
    input.mi.dy = (screenPoint.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

// Under Wine the pointer reaches the X server and comes back; a press sent before
// that may land where the pointer was. So each move waits until it has arrived.
void MoveTo(POINT screenPoint) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::vector<INPUT> move = {MouseInput(screenPoint, MOUSEEVENTF_MOVE)};
        Send(move);
        for (int wait = 0; wait < 10; ++wait) {
            POINT now{};
            if (GetCursorPos(&now) && now.x == screenPoint.x && now.y == screenPoint.y) {
                return;
            }
            Sleep(2);
        }
    }
    throw StepFailure{L"the pointer does not reach " + std::to_wstring(screenPoint.x) + L"," +
                      std::to_wstring(screenPoint.y)};
}

void Button(POINT screenPoint, DWORD flags) {
    std::vector<INPUT> press = {MouseInput(screenPoint, flags)};
    Send(press);
}

}  // namespace

void PressKey(const std::wstring& name) {
    std::vector<WORD> chord;
    for (const std::wstring& part : SplitAt(name, L'+')) {
        chord.push_back(VirtualKeyNamed(part));
    }
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        inputs.push_back(KeyInput(key, false));
    }
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) {
        inputs.push_back(KeyInput(*key, true));
    }
    Send(inputs);
}

void ClickAt(POINT screenPoint) {
    MoveTo(screenPoint);
    Button(screenPoint, MOUSEEVENTF_LEFTDOWN);
    Button(screenPoint, MOUSEEVENTF_LEFTUP);
}

void DragFrom(POINT screenPoint, int dx, int dy) {
    constexpr int kSteps = 10;
    MoveTo(screenPoint);
    Button(screenPoint, MOUSEEVENTF_LEFTDOWN);
    POINT point = screenPoint;
    for (int step = 1; step <= kSteps; ++step) {
        point = POINT{screenPoint.x + dx * step / kSteps, screenPoint.y + dy * step / kSteps};
        MoveTo(point);
    }
    Button(point, MOUSEEVENTF_LEFTUP);
}
