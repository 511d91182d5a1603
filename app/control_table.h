#pragma once

// The main window's twenty-one controls, one row each, in stacking order (first on
// top). Positions are client coordinates of the main window.

#include <windows.h>

#include <array>

enum class ControlKind { CheckBox, RadioButton, PushButton, EditBox, TransparentLabel };

enum class StartState { Shown, ShownMarked, Hidden };

struct ControlSpec {
    ControlKind kind;
    const char* name;  // layout name, UTF-8
    int x;
    int y;
    int width;
    int height;
    const wchar_t* caption;
    DWORD style;  // besides WS_CHILD
    DWORD exStyle;
    int id;
    StartState start;
};

constexpr int kControlCount = 21;
extern const std::array<ControlSpec, kControlCount> kControls;

// Site box n has the id kSiteBoxIdBase + n; ids 1 and 2 (IDOK, IDCANCEL) belong to
// no control but 按钮1, so Esc never looks like a click.
constexpr int kSiteBoxIdBase = 100;
constexpr int kSelectAllId = 201;
constexpr int kClearId = 202;
constexpr int kHiddenEditId = 301;
constexpr int kCreditEditId = 302;
constexpr int kCreditLabelId = 401;

// nullptr when no row has that name or id.
const ControlSpec* ControlSpecNamed(const char* name);
const ControlSpec* ControlSpecWithId(int id);
