"""Wine plumbing for the end-to-end tests: one virtual display, one template
prefix, and a fresh copy of it for every case."""

import os
import shutil
import subprocess
import time

ETC = "drive_c/windows/system32/drivers/etc"
PROGRAM = r"C:\jingying\jingying.exe"
DRIVER = r"C:\e2e\e2e_driver.exe"
BROWSED = r"C:\e2e\browsed.txt"

# The fake browser: every http or https address the shell opens is appended to
# BROWSED instead of reaching a real browser. Unmanaged windows close at once
# under Xvfb; managed ones cost about two seconds each.
SETUP_REG = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[-HKEY_CLASSES_ROOT\http\shell\open\ddeexec]
[-HKEY_CLASSES_ROOT\https\shell\open\ddeexec]

[HKEY_CLASSES_ROOT\http\shell\open\command]
@="\"C:\\e2e\\e2e_driver.exe\" --record-address C:\\e2e\\browsed.txt \"%1\""

[HKEY_CLASSES_ROOT\https\shell\open\command]
@="\"C:\\e2e\\e2e_driver.exe\" --record-address C:\\e2e\\browsed.txt \"%1\""
"""


def windows_path(prefix, relative):
    """C: path of a file given relative to the prefix's drive_c."""
    assert relative.startswith("drive_c/")
    return "C:\\" + relative[len("drive_c/"):].replace("/", "\\")


class VirtualDisplay:
    """An Xvfb server on a free display number, for as long as the run lasts."""

    def __init__(self, size="1024x768x24"):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Prefix:
    def __init__(self, path, display):
        self.path = path
        self.display = display

    def env(self):
        env = dict(os.environ)
        for name in list(env):
            if name.startswith("LC_"):
                del env[name]
        env.update(LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8", WINEDEBUG="-all",
                   WINEPREFIX=self.path, DISPLAY=self.display,
                   # No network here: never offer to download Mono or Gecko.
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        return env

    def run(self, args, timeout=120, check=True):
        result = subprocess.run(args, env=self.env(), stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError(f"{args} failed with {result.returncode}: "
                               f"{result.stderr.decode(errors='replace')[-2000:]}")
        return result

    def wine(self, *args, timeout=120, check=True):
        return self.run(["wine", *args], timeout=timeout, check=check)

    def stop_server(self):
        # Ends whatever is left of the case (a program the driver could not end,
        # the fake browser) and writes the registry back.
        self.run(["wineserver", "-k"], check=False)
        self.run(["wineserver", "-w"], check=False)

    def file(self, relative):
        return os.path.join(self.path, relative)

    def etc(self, name=""):
        return os.path.join(self.path, ETC, name)


def make_template(path, display, program, driver):
    """A booted prefix with the program, the driver and the fake browser in it."""
    shutil.rmtree(path, ignore_errors=True)
    prefix = Prefix(path, display)
    started = time.monotonic()
    prefix.run(["wineboot", "-i"], timeout=300)
    prefix.run(["wineserver", "-w"], timeout=300)
    os.makedirs(prefix.file("drive_c/e2e"), exist_ok=True)
    os.makedirs(prefix.file("drive_c/jingying"), exist_ok=True)
    shutil.copy(driver, prefix.file("drive_c/e2e/e2e_driver.exe"))
    shutil.copy(program, prefix.file("drive_c/jingying/jingying.exe"))
    with open(prefix.file("drive_c/e2e/setup.reg"), "w", encoding="ascii", newline="\r\n") as reg:
        reg.write(SETUP_REG)
    prefix.wine("regedit", "/S", r"C:\e2e\setup.reg")
    prefix.stop_server()
    return prefix, time.monotonic() - started


def copy_prefix(template, path):
    shutil.rmtree(path, ignore_errors=True)
    # cp -a keeps the extended attributes in which Wine stores hidden and system bits.
    subprocess.run(["cp", "-a", template.path, path], check=True)
    return Prefix(path, template.display)
