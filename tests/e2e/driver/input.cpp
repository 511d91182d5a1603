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
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (screenPoint.x * 65536 + width / 2) / width;
        input.mi.dy = (screenPoint.y * 65536 + height / 2) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    Send(inputs);
}
