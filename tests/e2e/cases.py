"""The end-to-end cases: what the hosts folder holds before, what the driver does,
and what the folder must hold after, byte for byte.

Wine runs as root here and does not enforce every Windows file rule (a write to a
read-only or hidden file, a copy onto a hidden one); those rules are tested on the
core's POSIX platform, which enforces them, in the native tests."""

import os
import re
from dataclasses import dataclass, field
from typing import Callable, List, Optional, Union

from layout_check import check_layout

HERE = os.path.dirname(os.path.abspath(__file__))
TITLE = "净影通(支持各大视频网)"
HOSTS = r"C:\windows\system32\drivers\etc\hosts"


def fixture(name):
    with open(os.path.join(HERE, "fixtures", name), "rb") as f:
        return f.read()


def expected(name):
    with open(os.path.join(HERE, "expected", name), "rb") as f:
        return f.read()


def read_blocks():
    """Each site's lines from the hand-written list, in block order."""
    blocks, current = {}, None
    for line in expected("blocks.txt").decode("utf-8").splitlines():
        if line.startswith("["):
            current = line.strip("[]")
            blocks[current] = []
        elif line.startswith("127.0.0.1 "):
            blocks[current].append(line)
    return blocks


BLOCKS = read_blocks()
SITES = list(BLOCKS)  # block order
MARKERS = {"优酷": "youku", "天线视频": "openv.", "酷6": "ku6", "土豆": "tudou", "我乐网": "56.",
           "奇艺": "qiyi", "激动网": "joy", "迅雷看看": "xunlei.", "CNTV": "cctv", "乐视": "letv",
           "新浪视频": "sina.", "百度": "baidu", "搜狐高清": "sohu.", "PPTV": "pptv", "6间房": "6."}


def blocks_of(sites):
    """The bytes the block procedure appends for these sites, each block opening with CR LF."""
    return "".join("\r\n" + "\r\n".join(BLOCKS[site]) for site in sites).encode("ascii")


def checked_except(*unchecked):
    return [site for site in SITES if site not in unchecked]


def without_own_lines(text, *sites):
    """Drops our own lines ("127.0.0.1 " first) that hold a site's marker, joining the
    rest with CR LF. Only for ASCII fixtures, where no character can hide a marker."""
    markers = [MARKERS[site] for site in sites]
    kept = [line for line in text.decode("ascii").split("\r\n")
            if not (line.startswith("127.0.0.1 ") and any(m in line for m in markers))]
    while kept and kept[-1] == "":
        kept.pop()
    return "\r\n".join(kept).encode("ascii")


# Wine reports every plain file with the archive bit.
PLAIN = 0x20
BLOCKED = 0x23  # read-only and hidden, as a block leaves the hosts file
FOLDER = 0x10
MISSING = "missing"
SAME = "same"  # the bytes the case started with
DIR = "dir"    # an (empty) folder

QUESTION = "信息： | OK,Cancel | icon | 您已经屏蔽过了，真的还要继续?"
DONE = "信息： | OK | none | OK！"
CANNOT_OPEN = "信息： | OK | icon | 无法打开hosts"
# The failures end with the system's text for a sharing violation, as Wine words it.
WRITE_FAILED = "信息： | OK | icon | 写入hosts失败：共享冲突。"
BACKUP_FAILED = "信息： | OK | icon | 备份hosts失败：共享冲突。"
BACKUP_DENIED = "信息： | OK | icon | 备份hosts失败：访问被拒绝。\\r\\n请以管理员身份运行本程序。"

START = f"start\nwait-window {TITLE}\n"
BLOCK_AND_END = f"click 立即屏蔽\nexpect-box {DONE}\nanswer OK\nexpect-exit 0\n"
CLOSE = "expect-no-box\nexpect-running\nclose\nexpect-exit 0\n"
PROTECT = f"set-attributes {HOSTS} 3\n"


def ended_before_window(message):
    return (f"start\nexpect-box {message}\nexpect-never-shown {TITLE}\n"
            f"answer OK\nexpect-exit 0\nexpect-never-shown {TITLE}\n")


def all_sites(state):
    return "".join(f"expect-check {site} {state}\n" for site in SITES)


TAB_ORDER = ["优酷", "天线视频", "酷6", "土豆", "我乐网", "奇艺", "激动网", "迅雷看看", "CNTV", "乐视",
             "新浪视频", "百度", "搜狐高清", "全选", "反选", "立即屏蔽", "PPTV", "6间房", "Penrow丶QA"]


def keyboard_script():
    script = START + "expect-focus 优酷\nkey ESCAPE\nkey F1\n"
    script += "key SPACE\nexpect-check 优酷 0\nkey SPACE\nexpect-check 优酷 1\n"
    for name in TAB_ORDER[1:] + TAB_ORDER[:1]:
        script += f"key TAB\nexpect-focus {name}\n"
    # Back from 优酷 to 全选, passing the unmarked 反选: that must not run "反选".
    for name in ["Penrow丶QA", "6间房", "PPTV", "立即屏蔽", "反选", "全选"]:
        script += f"key SHIFT+TAB\nexpect-focus {name}\n"
    script += "expect-check 全选 1\n" + all_sites(1)
    script += "key RIGHT\nexpect-focus 反选\nexpect-check 反选 1\nexpect-check 全选 0\n" + all_sites(0)
    script += "key LEFT\nexpect-focus 全选\nexpect-check 全选 1\nexpect-check 反选 0\n" + all_sites(1)
    return script + "expect-no-box\n" + CLOSE


def check_browsed(prefix, output):
    path = prefix.file("drive_c/e2e/browsed.txt")
    if not os.path.exists(path):
        return ["no address reached the browser"]
    lines = open(path, encoding="utf-8").read().splitlines()
    errors = []
    # The profile page is given with its scheme; the site without one, which the
    # shell (Wine's too) completes with http:// for an address starting "www.".
    # Both browsers start at once, so they may write in either order.
    profile = [a for a in lines if re.match(r"^https?://[^/]*\bexample\.com(/|$)", a)]
    site = [a for a in lines if re.match(r"^http://www\.example\.org/?$", a)]
    if len(lines) != 2 or len(profile) != 1 or len(site) != 1:
        errors.append(f"the browser got {lines}, expected a profile page on example.com "
                      "and the site www.example.org")
    return errors


@dataclass
class Case:
    name: str
    script: str
    hosts: Optional[bytes] = None          # None: no hosts file
    backup: Union[bytes, str, None] = None  # DIR: a folder named hosts.bak
    expect_hosts: Union[bytes, str, None] = SAME
    expect_backup: Union[bytes, str, None] = SAME
    hosts_attributes: Union[int, str] = PLAIN
    backup_attributes: Union[int, str, None] = None  # None: as missing or plain follows
    extra: List[Callable] = field(default_factory=list)


TYPICAL = fixture("typical.hosts")
UTF8_LF = fixture("utf8_lf.hosts")
OLD_BACKUP = fixture("old_backup.hosts")
# A hosts file as the typical road leaves it, for a second run.
BLOCKED_ONCE = expected("typical_road.hosts")
ALL_BLOCKED = TYPICAL + blocks_of(SITES)

CASES = [
    Case("typical road: uncheck 乐视, block, OK！",
         START + "expect-check 乐视 1\nclick 乐视\nexpect-check 乐视 0\n" + BLOCK_AND_END,
         hosts=TYPICAL, expect_hosts=expected("typical_road.hosts"), expect_backup=TYPICAL,
         hosts_attributes=BLOCKED),
    Case("Enter right after start blocks every site",
         START + "key ENTER\n" + f"expect-box {DONE}\nanswer OK\nexpect-exit 0\n",
         hosts=TYPICAL, expect_hosts=ALL_BLOCKED, expect_backup=TYPICAL,
         hosts_attributes=BLOCKED),
    Case("unchecking and checking 优酷 again appends its block twice",
         START + "click 优酷\nexpect-check 优酷 0\nclick 优酷\nexpect-check 优酷 1\n" + BLOCK_AND_END,
         hosts=TYPICAL, expect_hosts=TYPICAL[:-2] + blocks_of(["优酷"]) + blocks_of(SITES),
         expect_backup=TYPICAL, hosts_attributes=BLOCKED),
    Case("closing without blocking writes nothing",
         START + "click 乐视\nexpect-check 乐视 0\n" + CLOSE,
         hosts=TYPICAL, expect_backup=None),
    Case("Alt+F4 and dragging the window by an empty spot write nothing",
         START + "drag 200 108 30 20\nexpect-no-box\nkey ALT+F4\nexpect-exit 0\n",
         hosts=TYPICAL, expect_backup=None),
    Case("missing hosts file: 无法打开hosts before any window",
         ended_before_window(CANNOT_OPEN), hosts=None, expect_hosts=None, expect_backup=None,
         hosts_attributes=MISSING),
    Case("a NUL byte in the hosts file: nothing is edited",
         ended_before_window("信息： | OK | icon | hosts文件含有空字节，无法安全修改"),
         hosts=fixture("nul.hosts"), expect_backup=None),
    Case("read failing after the open (another program writes the file)",
         f"hold-for-writing {HOSTS}\n" + ended_before_window(CANNOT_OPEN),
         hosts=TYPICAL, expect_backup=None),
    Case("existing backup: Cancel at the question changes nothing",
         PROTECT + START + f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer Cancel\n" + CLOSE,
         hosts=TYPICAL, backup=OLD_BACKUP, hosts_attributes=BLOCKED),
    Case("existing backup: Cancel, then OK goes on and replaces the backup",
         PROTECT + START + f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer Cancel\nexpect-running\n"
         f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer OK\n"
         f"expect-box {DONE}\nanswer OK\nexpect-exit 0\n",
         hosts=TYPICAL, backup=OLD_BACKUP, expect_hosts=ALL_BLOCKED, expect_backup=TYPICAL,
         hosts_attributes=BLOCKED),
    Case("second block: partial blocks stay, the backup holds the blocked file",
         PROTECT + START + "click 土豆\nclick CNTV\nclick 迅雷看看\nexpect-check 土豆 0\n"
         "expect-check CNTV 0\nexpect-check 迅雷看看 0\n"
         f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer OK\n"
         f"expect-box {DONE}\nanswer OK\nexpect-exit 0\n",
         hosts=BLOCKED_ONCE, backup=TYPICAL,
         expect_hosts=without_own_lines(BLOCKED_ONCE, "土豆", "CNTV", "迅雷看看")
         + blocks_of(checked_except("土豆", "CNTV", "迅雷看看")),
         expect_backup=BLOCKED_ONCE, hosts_attributes=BLOCKED),
    Case("UTF-8 comments, LF lines and a VirtualBox line survive 6间房 and 我乐网",
         START + "click 6间房\nexpect-check 6间房 0\nclick 我乐网\nexpect-check 我乐网 0\n"
         + BLOCK_AND_END,
         hosts=UTF8_LF,
         expect_hosts=expected("utf8_lf_kept.hosts") + blocks_of(checked_except("6间房", "我乐网")),
         expect_backup=UTF8_LF, hosts_attributes=BLOCKED),
    Case("反选 clears all fifteen, 全选 checks them; blocking with none checked",
         START + "click 反选\nexpect-check 反选 1\n" + all_sites(0) + "click 全选\n"
         "expect-check 全选 1\n" + all_sites(1) + "click 反选\n" + all_sites(0) + BLOCK_AND_END,
         hosts=TYPICAL, expect_backup=TYPICAL, hosts_attributes=BLOCKED),
    Case("keyboard: Esc and F1 do nothing, Space toggles, Tab order, arrows on the radios",
         keyboard_script(), hosts=TYPICAL, expect_backup=None),
    Case("layout of the main window", START + "layout\n" + CLOSE, hosts=TYPICAL,
         expect_backup=None, extra=[check_layout]),
    Case("the credit opens two addresses and changes nothing",
         START + "mouse-click Penrow丶QA\nwait-lines C:\\e2e\\browsed.txt 2\n" + CLOSE,
         hosts=TYPICAL, expect_backup=None, extra=[check_browsed]),
    # Another handle without delete sharing keeps the new file from being put in
    # place; the backup of this try is already made and stays.
    Case("write failing: message, old bytes and attributes, still running",
         PROTECT + f"hold-without-delete-sharing {HOSTS}\n" + START +
         f"click 立即屏蔽\nexpect-box {WRITE_FAILED}\nanswer OK\n" + CLOSE,
         hosts=TYPICAL, expect_backup=TYPICAL, hosts_attributes=BLOCKED,
         backup_attributes=PLAIN),
    Case("write failing, then a second try writes what a first try would",
         PROTECT + f"hold-without-delete-sharing {HOSTS}\n" + START +
         f"click 立即屏蔽\nexpect-box {WRITE_FAILED}\nanswer OK\n"
         f"release-files\nclick 立即屏蔽\nexpect-box {QUESTION}\nanswer OK\n"
         f"expect-box {DONE}\nanswer OK\nexpect-exit 0\n",
         hosts=TYPICAL, expect_hosts=ALL_BLOCKED, expect_backup=TYPICAL,
         hosts_attributes=BLOCKED),
    # Another program holds the old backup without delete sharing, so the new copy
    # cannot be put in its place.
    Case("backup failing: message, nothing written, the old backup whole",
         PROTECT + f"hold-without-delete-sharing {HOSTS}.bak\n" + START +
         f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer OK\n"
         f"expect-box {BACKUP_FAILED}\nanswer OK\n" + CLOSE,
         hosts=TYPICAL, backup=OLD_BACKUP, hosts_attributes=BLOCKED),
    Case("backup failing (hosts.bak is a folder): message, nothing written",
         PROTECT + START + f"click 立即屏蔽\nexpect-box {QUESTION}\nanswer OK\n"
         f"expect-box {BACKUP_DENIED}\nanswer OK\n" + CLOSE,
         hosts=TYPICAL, backup=DIR, hosts_attributes=BLOCKED),
]
