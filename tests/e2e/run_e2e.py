"""Runs every end-to-end case against the real jingying.exe under Wine.

The build folder (default build/win32, or $JINGYING_WIN32_BUILD) must hold
jingying.exe and e2e_driver.exe. One template prefix is booted per run inside it;
each case runs in its own copy. Prints one line per case and "N passed, M failed"."""

import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cases as case_table  # noqa: E402
import skin_cases  # noqa: E402
from wine_session import (DRIVER, PROGRAM, VirtualDisplay, copy_prefix,  # noqa: E402
                          make_template, windows_path)

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CASE_TIMEOUT = 120


def prepare(prefix, case):
    etc = prefix.etc()
    for name in ("hosts", "hosts.bak"):
        path = os.path.join(etc, name)
        if os.path.isdir(path):
            os.rmdir(path)
        elif os.path.exists(path):
            os.remove(path)
    if getattr(case, "before", None):
        case.before(prefix)
    if case.hosts is not None:
        with open(prefix.etc("hosts"), "wb") as f:
            f.write(case.hosts)
    if case.backup == case_table.DIR:
        os.mkdir(prefix.etc("hosts.bak"))
    elif case.backup is not None:
        with open(prefix.etc("hosts.bak"), "wb") as f:
            f.write(case.backup)
    hosts = windows_path(prefix, "drive_c/windows/system32/drivers/etc/hosts")
    script = case.script + f"attributes {hosts}\nattributes {hosts}.bak\n"
    with open(prefix.file("drive_c/e2e/script.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write(script)
    return sorted(os.listdir(etc))


def expected_bytes(wanted, before):
    return before if wanted == case_table.SAME else wanted


def check_file(label, path, wanted, before):
    wanted = expected_bytes(wanted, before)
    if wanted is None:
        return [] if not os.path.lexists(path) else [f"{label} exists, expected none"]
    if wanted == case_table.DIR:
        if not os.path.isdir(path) or os.listdir(path):
            return [f"{label} is no longer the empty folder it was"]
        return []
    if not os.path.isfile(path):
        return [f"{label} is missing"]
    with open(path, "rb") as f:
        seen = f.read()
    if seen == wanted:
        return []
    at = next((i for i, (a, b) in enumerate(zip(seen, wanted)) if a != b), min(len(seen), len(wanted)))
    return [f"{label}: {len(seen)} bytes, expected {len(wanted)}; first difference at byte {at}: "
            f"seen {seen[max(0, at - 20):at + 30]!r}, expected {wanted[max(0, at - 20):at + 30]!r}"]


def attributes_from(output):
    found = {}
    for line in output.splitlines():
        parts = line.split("\t")
        if parts[0] == "attributes" and len(parts) == 3:
            name = parts[1].rsplit("\\", 1)[-1]
            found[name] = parts[2]
    return found


def format_attributes(value):
    return value if isinstance(value, str) else f"0x{value:X}"


def expected_backup_attributes(case):
    if case.backup_attributes is not None:
        return case.backup_attributes
    wanted = expected_bytes(case.expect_backup, case.backup)
    if wanted is None:
        return case_table.MISSING
    return case_table.FOLDER if wanted == case_table.DIR else case_table.PLAIN


def is_wine_replace_leftover(path):
    """Wine's ReplaceFileW first makes an empty rfXXXX.tmp to move the old file
    aside to, and leaves it behind when that move fails; Windows makes none."""
    name = os.path.basename(path)
    return re.fullmatch(r"rf[0-9a-f]{1,4}\.tmp", name, re.IGNORECASE) and os.path.getsize(path) == 0


def run_case(template, work, number, case):
    prefix = copy_prefix(template, os.path.join(work, f"case{number:02d}"))
    names_before = prepare(prefix, case)
    try:
        result = prefix.wine(DRIVER, "--program", PROGRAM, r"C:\e2e\script.txt",
                             timeout=CASE_TIMEOUT, check=False)
        output = result.stdout.decode("utf-8", errors="replace")
        code = result.returncode
    except Exception as error:  # a hung Wine: report it as this case's failure
        output, code = f"FAIL\t{error}", -1
    prefix.stop_server()

    errors = [line for line in output.splitlines() if line.startswith("FAIL")]
    if code != 0 and not errors:
        errors.append(f"driver exit code {code}")
    errors += check_file("hosts", prefix.etc("hosts"), case.expect_hosts, case.hosts)
    errors += check_file("hosts.bak", prefix.etc("hosts.bak"), case.expect_backup, case.backup)
    if not errors:
        attributes = attributes_from(output)
        for name, wanted in (("hosts", case.hosts_attributes),
                             ("hosts.bak", expected_backup_attributes(case))):
            if attributes.get(name) != format_attributes(wanted):
                errors.append(f"{name} attributes {attributes.get(name)}, "
                              f"expected {format_attributes(wanted)}")
    # Nothing may be left behind in the folder, such as a temporary file.
    expected_names = set(names_before) - {"hosts", "hosts.bak"}
    if expected_bytes(case.expect_hosts, case.hosts) is not None:
        expected_names.add("hosts")
    if expected_bytes(case.expect_backup, case.backup) is not None:
        expected_names.add("hosts.bak")
    names_after = {name for name in os.listdir(prefix.etc())
                   if not is_wine_replace_leftover(prefix.etc(name))}
    if names_after != expected_names:
        errors.append(f"the etc folder holds {sorted(names_after)}, expected {sorted(expected_names)}")
    for extra in case.extra:
        errors += extra(prefix, output)
    return errors, output


def main():
    build = os.path.abspath(os.environ.get("JINGYING_WIN32_BUILD", os.path.join(REPO, "build", "win32")))
    program = os.path.join(build, "jingying.exe")
    driver = os.path.join(build, "e2e_driver.exe")
    for path in (program, driver):
        if not os.path.isfile(path):
            print(f"missing {path}: build the win32 preset first")
            return 2
    selected = sys.argv[1:]  # optional: run only cases whose name holds one of these words
    work = os.path.join(build, "e2e")
    os.makedirs(work, exist_ok=True)
    display = VirtualDisplay()
    passed = failed = 0
    try:
        template, seconds = make_template(os.path.join(work, "template"), display.display,
                                          program, driver)
        print(f"template prefix ready in {seconds:.1f} s on display {display.display}")
        for number, case in enumerate(case_table.CASES + skin_cases.SKIN_CASES, 1):
            if selected and not any(word in case.name for word in selected):
                continue
            started = time.monotonic()
            errors, output = run_case(template, work, number, case)
            seconds = time.monotonic() - started
            if errors:
                failed += 1
                print(f"FAIL {number:2d} {case.name} ({seconds:.1f} s)")
                for error in errors:
                    print(f"       {error}")
            else:
                passed += 1
                print(f"ok   {number:2d} {case.name} ({seconds:.1f} s)")
                # A prefix is large; keep only those of failed cases for a look.
                shutil.rmtree(os.path.join(work, f"case{number:02d}"), ignore_errors=True)
            if os.environ.get("E2E_VERBOSE"):
                print("".join(f"       | {line}\n" for line in output.splitlines()), end="")
    finally:
        display.close()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
