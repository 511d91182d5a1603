#!/usr/bin/env python3
"""Checks the committed skin files: reproducible, well-formed and of their exact sizes."""

import lzma
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

SKIN_DIR = Path(__file__).resolve().parents[2] / "resources" / "skins"
GENERATOR = SKIN_DIR / "make_skins.py"

# The sizes the program's skin table is known by; kept apart from the generator's own
# copy so that an edit there cannot pass unnoticed.
EXPECTED_SIZES = [
    15574, 9533, 19786, 19497, 17699, 41098, 12564, 18930, 13192, 24409, 30738,
    8321, 26370, 15733, 12105, 23603, 20863, 16746, 11676, 17997, 12882, 37461,
    30958, 25715, 34523, 28961, 29447, 15562, 20738, 18765, 31134, 44110, 20275,
]
SKIN_IN_USE = 11
SKIN_IN_USE_SIZE = 30738
HEADER = b".SHE\x00\x03"
LZMA_PROPS = b"\x5d\x00\x00\x80\x00"


def skin_names():
    return ["skin%02d.she" % number for number in range(1, len(EXPECTED_SIZES) + 1)]


def committed_skins():
    return {name: (SKIN_DIR / name).read_bytes() for name in skin_names()
            if (SKIN_DIR / name).is_file()}


def check_generator_reproduces_files(skins):
    problems = []
    with tempfile.TemporaryDirectory() as out_dir:
        run = subprocess.run([sys.executable, str(GENERATOR), out_dir],
                             capture_output=True, text=True)
        if run.returncode != 0:
            return ["generator failed with %d: %s" % (run.returncode, run.stderr.strip())]
        generated = sorted(path.name for path in Path(out_dir).iterdir())
        if generated != skin_names():
            problems.append("generator wrote %s" % generated)
        for name in skin_names():
            path = Path(out_dir) / name
            if path.is_file() and path.read_bytes() != skins.get(name):
                problems.append("%s differs from a fresh generation" % name)
    return problems


def check_headers(skins):
    problems = []
    for name, data in skins.items():
        if data[:6] != HEADER:
            problems.append("%s starts with %r" % (name, data[:6]))
        if data[10:15] != LZMA_PROPS:
            problems.append("%s has LZMA properties %s" % (name, data[10:15].hex()))
    return problems


def unpack_body(data):
    """Decodes the stream as the .lzma layout it is, with the stated length put back."""
    stated = struct.unpack("<I", data[6:10])[0]
    alone = data[10:15] + struct.pack("<Q", stated) + data[15:]
    decoder = lzma.LZMADecompressor(format=lzma.FORMAT_ALONE)
    body = decoder.decompress(alone)
    return stated, body, decoder.eof and not decoder.unused_data


def check_bodies(skins):
    problems = []
    for name, data in skins.items():
        try:
            stated, body, clean_end = unpack_body(data)
        except lzma.LZMAError as error:
            problems.append("%s does not decode: %s" % (name, error))
            continue
        if len(body) != stated or not clean_end:
            problems.append("%s states %d bytes, decodes to %d%s" % (
                name, stated, len(body), "" if clean_end else " and does not end cleanly"))
        elif not body.startswith(b"[theme]\r\n"):
            problems.append("%s has no theme at the start of its body" % name)
    return problems


def check_sizes(skins):
    problems = []
    for name, size in zip(skin_names(), EXPECTED_SIZES):
        if name not in skins:
            problems.append("%s is missing" % name)
        elif len(skins[name]) != size:
            problems.append("%s is %d bytes, not %d" % (name, len(skins[name]), size))
    in_use = skins.get(skin_names()[SKIN_IN_USE - 1], b"")
    if len(in_use) != SKIN_IN_USE_SIZE:
        problems.append("skin in use is %d bytes, not %d" % (len(in_use), SKIN_IN_USE_SIZE))
    return problems


def main():
    skins = committed_skins()
    checks = [check_generator_reproduces_files, check_headers, check_bodies, check_sizes]
    failed = 0
    for check in checks:
        problems = check(skins)
        print("%s %s" % ("FAIL" if problems else "ok  ", check.__name__))
        for problem in problems:
            print("     " + problem)
        failed += bool(problems)
    print("%d passed, %d failed" % (len(checks) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
