#include "app/control_table.h"

#include <cstring>

namespace {

// Some boxes overlap their neighbours; clipping keeps the upper one whole. 编辑框2
// must not clip: the label above it paints nothing and the credit has to show there.
constexpr DWORD kOnTop = WS_CLIPSIBLINGS;
constexpr DWORD kSiteBox = kOnTop | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = kOnTop | WS_TABSTOP | BS_AUTORADIOBUTTON;

constexpr int Box(int number) {
    return kSiteBoxIdBase + number;
}

}  // namespace

// Group bits follow the stacking order: 单选框2 opens the radio pair, 选择框14 ends it.
const std::array<ControlSpec, kControlCount> kControls = {{
    {ControlKind::TransparentLabel, "透明标签1", 320, 144, 72, 16, L"", 0, WS_EX_TRANSPARENT,
     kCreditLabelId, StartState::Shown},
    {ControlKind::EditBox, "编辑框2", 318, 146, 80, 16, L"Penrow丶QA",
     WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, kCreditEditId,
     StartState::Shown},
    {ControlKind::CheckBox, "选择框16", 256, 16, 56, 24, L"6间房", kSiteBox, 0, Box(16),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框15", 256, 50, 48, 16, L"PPTV", kSiteBox, 0, Box(15),
     StartState::Shown},
    {ControlKind::EditBox, "编辑框1", 328, 464, 376, 200, L"", ES_LEFT | ES_MULTILINE, 0,
     kHiddenEditId, StartState::Hidden},
    {ControlKind::PushButton, "按钮1", 152, 120, 88, 32, L"立即屏蔽",
     kOnTop | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, StartState::Shown},
    {ControlKind::RadioButton, "单选框2", 320, 88, 48, 16, L"反选", kRadio | WS_GROUP, 0, kClearId,
     StartState::Shown},
    {ControlKind::RadioButton, "单选框1", 256, 88, 64, 16, L"全选", kRadio, 0, kSelectAllId,
     StartState::ShownMarked},
    {ControlKind::CheckBox, "选择框14", 328, 48, 80, 16, L"搜狐高清", kSiteBox | WS_GROUP, 0,
     Box(14), StartState::Shown},
    {ControlKind::CheckBox, "选择框13", 8, 48, 48, 20, L"百度", kSiteBox, 0, Box(13),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框12", 160, 82, 80, 16, L"新浪视频", kSiteBox, 0, Box(12),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框11", 80, 48, 48, 20, L"乐视", kSiteBox, 0, Box(11),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框10", 328, 16, 48, 24, L"CNTV", kSiteBox, 0, Box(10),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框9", 80, 82, 72, 15, L"迅雷看看", kSiteBox, 0, Box(9),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框8", 136, 50, 56, 16, L"激动网", kSiteBox, 0, Box(8),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框7", 136, 16, 48, 24, L"奇艺", kSiteBox, 0, Box(7),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框6", 192, 50, 56, 16, L"我乐网", kSiteBox, 0, Box(6),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框5", 192, 16, 48, 24, L"土豆", kSiteBox, 0, Box(5),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框4", 80, 16, 40, 24, L"酷6", kSiteBox, 0, Box(4),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框3", 8, 78, 80, 24, L"天线视频", kSiteBox, 0, Box(3),
     StartState::Shown},
    {ControlKind::CheckBox, "选择框2", 8, 16, 64, 24, L"优酷", kSiteBox, 0, Box(2),
     StartState::Shown},
}};

const ControlSpec* ControlSpecNamed(const char* name) {
    for (const ControlSpec& control : kControls) {
        if (std::strcmp(control.name, name) == 0) {
            return &control;
        }
    }
    return nullptr;
}

const ControlSpec* ControlSpecWithId(int id) {
    for (const ControlSpec& control : kControls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}
