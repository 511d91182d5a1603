#!/usr/bin/env bash
# Installs what is missing on a fresh Debian machine, builds both presets and runs
# every test: the native unit tests, then the end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup_machine.sh

ensure_packages

cmake --preset native
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

cmake --preset win32
cmake --build --preset win32 -j"$(nproc)"

if [ -x tests/e2e/run_e2e.sh ]; then
  tests/e2e/run_e2e.sh
fi
