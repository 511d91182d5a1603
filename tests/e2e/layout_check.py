"""Checks the driver's layout dump of the main window against the window as it
must be: every control's kind, caption, place, size, styles and first state, in
stacking order (first on top), and the window's own size and styles."""

WS_CHILD, WS_VISIBLE, WS_TABSTOP, WS_GROUP = 0x40000000, 0x10000000, 0x00010000, 0x00020000
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_VSCROLL, WS_HSCROLL = 0x00020000, 0x00010000, 0x00200000, 0x00100000
WS_EX_TOPMOST, WS_EX_TRANSPARENT, WS_EX_CLIENTEDGE = 0x8, 0x20, 0x200
WS_EX_APPWINDOW, WS_EX_TOOLWINDOW = 0x40000, 0x80
BS_TYPEMASK, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON = 0xF, 0x1, 0x3, 0x9
BS_LEFTTEXT, BS_HORIZONTAL, BS_VERTICAL = 0x20, 0x300, 0xC00
BS_LEFT, BS_RIGHT, BS_CENTER, BS_TOP, BS_BOTTOM, BS_VCENTER = 0x100, 0x200, 0x300, 0x400, 0x800, 0xC00
ES_MULTILINE, ES_AUTOHSCROLL, ES_READONLY = 0x4, 0x80, 0x800

CHECK, RADIO, PUSH, EDIT, LABEL = "check box", "radio button", "push button", "edit box", "label"

# name, kind, x, y, width, height, caption — in the window's stacking order.
CONTROLS = [
    ("透明标签1", LABEL, 320, 144, 72, 16, ""),
    ("编辑框2", EDIT, 318, 146, 80, 16, "Penrow丶QA"),
    ("选择框16", CHECK, 256, 16, 56, 24, "6间房"),
    ("选择框15", CHECK, 256, 50, 48, 16, "PPTV"),
    ("编辑框1", EDIT, 328, 464, 376, 200, ""),
    ("按钮1", PUSH, 152, 120, 88, 32, "立即屏蔽"),
    ("单选框2", RADIO, 320, 88, 48, 16, "反选"),
    ("单选框1", RADIO, 256, 88, 64, 16, "全选"),
    ("选择框14", CHECK, 328, 48, 80, 16, "搜狐高清"),
    ("选择框13", CHECK, 8, 48, 48, 20, "百度"),
    ("选择框12", CHECK, 160, 82, 80, 16, "新浪视频"),
    ("选择框11", CHECK, 80, 48, 48, 20, "乐视"),
    ("选择框10", CHECK, 328, 16, 48, 24, "CNTV"),
    ("选择框9", CHECK, 80, 82, 72, 15, "迅雷看看"),
    ("选择框8", CHECK, 136, 50, 56, 16, "激动网"),
    ("选择框7", CHECK, 136, 16, 48, 24, "奇艺"),
    ("选择框6", CHECK, 192, 50, 56, 16, "我乐网"),
    ("选择框5", CHECK, 192, 16, 48, 24, "土豆"),
    ("选择框4", CHECK, 80, 16, 40, 24, "酷6"),
    ("选择框3", CHECK, 8, 78, 80, 24, "天线视频"),
    ("选择框2", CHECK, 8, 16, 64, 24, "优酷"),
]

WINDOW_WIDTH, WINDOW_HEIGHT = 405, 196


def parse(output):
    screen, window, controls = None, None, []
    for line in output.splitlines():
        kind, *fields = line.split("\t")
        if kind == "screen":
            screen = tuple(int(v) for v in fields[0].split(","))
        elif kind in ("window", "control"):
            entry = dict(f.split("=", 1) for f in fields)
            for key in ("style", "exstyle"):
                entry[key] = int(entry[key], 16)
            entry["rect"] = tuple(int(v) for v in entry["rect"].split(","))
            if kind == "window":
                window = entry
            else:
                controls.append(entry)
    return screen, window, controls


def has(value, bits):
    return value & bits == bits


def check_window(screen, window):
    errors = []
    width, height = screen
    left, top = (width - WINDOW_WIDTH) // 2, (height - WINDOW_HEIGHT) // 2
    if window["rect"] != (left, top, WINDOW_WIDTH, WINDOW_HEIGHT):
        errors.append(f"window rect {window['rect']}, expected {(left, top, WINDOW_WIDTH, WINDOW_HEIGHT)}")
    style, ex = window["style"], window["exstyle"]
    for bits, name in ((WS_CAPTION, "a title bar"), (WS_SYSMENU, "a system menu"),
                       (WS_MINIMIZEBOX, "a minimise button"), (WS_VISIBLE, "visibility")):
        if not has(style, bits):
            errors.append(f"window lacks {name}: style {style:#x}")
    for bits, name in ((WS_MAXIMIZEBOX, "a maximise button"), (WS_THICKFRAME, "a sizing frame")):
        if style & bits:
            errors.append(f"window has {name}: style {style:#x}")
    for bits, name in ((WS_EX_TOPMOST, "topmost"), (WS_EX_APPWINDOW, "a taskbar button")):
        if ex & bits:
            errors.append(f"window is {name}: exstyle {ex:#x}")
    if window["owner"] != "hidden":
        errors.append(f"window owner is {window['owner']}, expected a hidden one (no taskbar button)")
    return errors


def check_control(expected, seen):
    name, kind, x, y, width, height, caption = expected
    style, ex = seen["style"], seen["exstyle"]
    errors = []

    def want(condition, what):
        if not condition:
            errors.append(f"{name}: {what} (class {seen['class']}, style {style:#x}, exstyle {ex:#x})")

    want(seen["caption"] == caption, f"caption {seen['caption']!r}, expected {caption!r}")
    want(seen["rect"] == (x, y, width, height), f"rect {seen['rect']}, expected {(x, y, width, height)}")
    want(has(style, WS_CHILD), "not a child window")
    hidden = name == "编辑框1"
    want(seen["visible"] == ("0" if hidden else "1"), "hidden" if not hidden else "visible")
    button_type = style & BS_TYPEMASK
    if kind == CHECK:
        want(seen["class"].lower() == "button" and button_type == BS_AUTOCHECKBOX, "not an auto check box")
        want(not style & BS_LEFTTEXT, "caption left of the box")
        want(style & BS_HORIZONTAL in (0, BS_LEFT), "caption not left-aligned")
        want(style & BS_VERTICAL in (0, BS_VCENTER), "caption not vertically centred")
        want(has(style, WS_TABSTOP), "no tab stop")
        want(seen["check"] == "1", f"check state {seen['check']} after start, expected checked")
    elif kind == RADIO:
        marked = name == "单选框1"
        want(seen["class"].lower() == "button" and button_type == BS_AUTORADIOBUTTON, "not an auto radio button")
        want(seen["check"] == ("1" if marked else "0"), f"mark {seen['check']}")
        # The control keeps the tab stop bit on the marked radio only; that both
        # are in the tab order is tried with the keys.
        want(not marked or has(style, WS_TABSTOP), "no tab stop")
    elif kind == PUSH:
        want(seen["class"].lower() == "button" and button_type == BS_DEFPUSHBUTTON, "not the default push button")
        want(seen["id"] == "1", f"id {seen['id']}, expected IDOK (1) so that Enter presses it")
        want(style & BS_HORIZONTAL in (0, BS_CENTER) and style & BS_VERTICAL in (0, BS_VCENTER),
             "caption not centred")
        want(has(style, WS_TABSTOP), "no tab stop")
    elif kind == EDIT and name == "编辑框2":
        want(seen["class"].lower() == "edit", "not an edit box")
        want(has(style, ES_READONLY) and not style & ES_MULTILINE, "not single-line and read-only")
        want(has(ex, WS_EX_CLIENTEDGE), "no sunken border")
        want(has(style, WS_TABSTOP), "no tab stop")
    elif kind == EDIT:
        want(seen["class"].lower() == "edit", "not an edit box")
        want(has(style, ES_MULTILINE) and not style & ES_READONLY, "not multi-line and editable")
        want(not style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), "scrolls instead of wrapping")
    elif kind == LABEL:
        want(not style & WS_TABSTOP, "takes the keyboard focus")
    if name not in ("按钮1",):
        want(seen["id"] not in ("1", "2"), f"id {seen['id']} would answer Enter or Esc")
    return errors


def check_groups(by_name):
    errors = []
    for name, group in (("单选框2", True), ("单选框1", False), ("选择框14", True)):
        if bool(by_name[name]["style"] & WS_GROUP) != group:
            errors.append(f"{name}: WS_GROUP should be {'set' if group else 'clear'}")
    return errors


def check_layout(prefix, output):
    screen, window, controls = parse(output)
    if not window or not screen:
        return ["the driver printed no layout"]
    errors = check_window(screen, window)
    if len(controls) != len(CONTROLS):
        errors.append(f"{len(controls)} controls, expected {len(CONTROLS)}: "
                      + ", ".join(c["caption"] or "#" + c["id"] for c in controls))
        return errors
    for expected, seen in zip(CONTROLS, controls):
        errors += check_control(expected, seen)
    by_name = {expected[0]: seen for expected, seen in zip(CONTROLS, controls)}
    return errors + check_groups(by_name)
