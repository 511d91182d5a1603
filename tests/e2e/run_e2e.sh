#!/usr/bin/env bash
# Runs the end-to-end tests of jingying.exe under Wine with a virtual display.
# The build folder is build/win32 (what ./test.sh builds) unless
# JINGYING_WIN32_BUILD names another; its prefixes stay inside it.
# Arguments, if any, pick the cases whose names contain one of them.
set -euo pipefail
cd "$(dirname "$0")/../.."
export JINGYING_WIN32_BUILD="${JINGYING_WIN32_BUILD:-$PWD/build/win32}"
exec python3 tests/e2e/run_e2e.py "$@"
