"""End-to-end cases of the skin engine set-up: the engine file the program writes
beside itself, the calls it makes to the engine, and the two fatal errors of a
bad engine. The program lives in C:\\jingying of each case's prefix."""

import os
import shutil
from dataclasses import dataclass
from typing import Callable, Optional

from cases import CANNOT_OPEN, CLOSE, MISSING, START, TITLE, TYPICAL, Case

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.abspath(os.environ.get("JINGYING_WIN32_BUILD", os.path.join(REPO, "build", "win32")))
OUR_ENGINE = os.path.join(BUILD, "skin", "engine", "SkinH_EL.dll")
RECORDING_ENGINE = os.path.join(BUILD, "test_engines", "recording", "SkinH_EL.dll")
CALLER_CLEANS_ENGINE = os.path.join(BUILD, "test_engines", "caller_cleans", "SkinH_EL.dll")

PROGRAM_FOLDER = "drive_c/jingying"
ENGINE = r"C:\jingying\SkinH_EL.dll"
CALL_LOG = r"C:\jingying\SkinH_EL.log"
BETWEEN_STARTS = r"C:\e2e\between_starts"
ROOT_PROGRAM = r"C:\jingying.exe"
ROOT_ENGINE = r"C:\SkinH_EL.dll"
NOT_A_LIBRARY = b"MZ but not a library\r\n"

HIDDEN = "0x22"  # hidden, and the archive bit Wine reports on every plain file
VISIBLE = "0x20"

STACK_ERROR = ("错误 | OK | icon | 运行时出错!\\r\\n\\r\\n错误代码：6\\r\\n\\r\\n"
               "错误信息：调用DLL命令后发现堆栈错误\\r\\n")
UNBOUND_EXPORT = ("错误 | OK | icon | 运行时出错!\\r\\n\\r\\n"
                  "错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\\r\\n")


@dataclass
class SkinCase(Case):
    # Puts files in place in the fresh prefix before the program starts.
    before: Optional[Callable] = None


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fingerprint(data):
    """FNV-1a, as the recording engine logs it."""
    value = 2166136261
    for byte in data:
        value = ((value ^ byte) * 16777619) & 0xFFFFFFFF
    return f"{value:08x}"


SKIN_11 = read(os.path.join(REPO, "resources", "skins", "skin11.she"))
EXPECTED_CALLS = [
    f'SkinH_AttachRes({len(SKIN_11)}, "", 0, 0, 0) data=bytes fnv1a={fingerprint(SKIN_11)} -> 1',
    "SkinH_SetAero(1) -> 1",
]


def engine_file(prefix, windows_path=ENGINE):
    return prefix.file("drive_c/" + windows_path[len("C:\\"):].replace("\\", "/"))


def place_engine(source_bytes):
    def place(prefix):
        with open(engine_file(prefix), "wb") as f:
            f.write(source_bytes())
    return place


def engine_attributes(output, windows_path):
    return [line.split("\t")[2] for line in output.splitlines()
            if line.startswith("attributes\t") and line.split("\t")[1] == windows_path]


def engine_is(wanted_bytes, *attributes, at=ENGINE):
    """The engine file holds these bytes and showed these attributes, in order."""
    def check(prefix, output):
        errors = []
        if not os.path.isfile(engine_file(prefix, at)):
            return [f"no {at}"]
        if read(engine_file(prefix, at)) != wanted_bytes():
            errors.append(f"{at} does not hold the expected bytes")
        seen = engine_attributes(output, at)
        if seen != list(attributes):
            errors.append(f"{at} attributes {seen}, expected {list(attributes)}")
        return errors
    return check


def program_in_drive_root(prefix):
    shutil.copy(prefix.file(PROGRAM_FOLDER + "/jingying.exe"), prefix.file("drive_c/jingying.exe"))


def not_written_after_first_start(prefix, output):
    engine = os.stat(engine_file(prefix)).st_mtime_ns
    between = os.stat(prefix.file("drive_c/e2e/between_starts")).st_mtime_ns
    return [] if engine <= between else [f"{ENGINE} was written again by the second start"]


def calls_logged(prefix, output):
    path = prefix.file(PROGRAM_FOLDER + "/SkinH_EL.log")
    if not os.path.isfile(path):
        return ["the engine logged no call"]
    calls = read(path).decode("ascii", errors="replace").split("\r\n")
    if calls[-1] == "":
        calls.pop()
    return [] if calls == EXPECTED_CALLS else [f"engine calls {calls}, expected {EXPECTED_CALLS}"]


def fatal_before_window(box):
    return (f"start\nexpect-box {box}\nexpect-never-shown {TITLE}\n"
            f"answer OK\nexpect-exit -1\nattributes {ENGINE}\n")


SKIN_CASES = [
    SkinCase("skin engine: the first start writes it hidden, the second writes nothing",
             START + CLOSE + f"attributes {ENGINE}\nset-attributes {ENGINE} 0x20\n"
             f"notify {BETWEEN_STARTS}\n" + START + CLOSE + f"attributes {ENGINE}\n",
             hosts=TYPICAL, expect_backup=None,
             extra=[engine_is(lambda: read(OUR_ENGINE), HIDDEN, VISIBLE),
                    not_written_after_first_start]),
    SkinCase("skin engine: skin 11 is handed over, then Aero is switched on",
             START + CLOSE + f"attributes {ENGINE}\n", hosts=TYPICAL, expect_backup=None,
             before=place_engine(lambda: read(RECORDING_ENGINE)),
             extra=[calls_logged, engine_is(lambda: read(RECORDING_ENGINE), VISIBLE)]),
    SkinCase("skin engine: both calls are made before 无法打开hosts shows",
             f"start\nexpect-box {CANNOT_OPEN}\nwait-lines {CALL_LOG} 2\nexpect-never-shown {TITLE}\n"
             "answer OK\nexpect-exit 0\n", hosts=None, expect_hosts=None, expect_backup=None,
             hosts_attributes=MISSING, before=place_engine(lambda: read(RECORDING_ENGINE)),
             extra=[calls_logged]),
    SkinCase("skin engine removing no arguments: stack error 6, exit -1, hosts untouched",
             fatal_before_window(STACK_ERROR), hosts=TYPICAL, expect_backup=None,
             before=place_engine(lambda: read(CALLER_CLEANS_ENGINE)),
             extra=[engine_is(lambda: read(CALLER_CLEANS_ENGINE), VISIBLE)]),
    SkinCase("skin engine file that is no library: export not found, exit -1, hosts untouched",
             fatal_before_window(UNBOUND_EXPORT), hosts=TYPICAL, expect_backup=None,
             before=place_engine(lambda: NOT_A_LIBRARY),
             extra=[engine_is(lambda: NOT_A_LIBRARY, VISIBLE)]),
    SkinCase("skin engine beside a program in the drive's root is C:\\SkinH_EL.dll",
             f"start {ROOT_PROGRAM}\nwait-window {TITLE}\n" + CLOSE + f"attributes {ROOT_ENGINE}\n",
             hosts=TYPICAL, expect_backup=None, before=program_in_drive_root,
             extra=[engine_is(lambda: read(OUR_ENGINE), HIDDEN, at=ROOT_ENGINE)]),
]
