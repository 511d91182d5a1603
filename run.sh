#!/usr/bin/env bash
# Installs what is missing, builds jingying.exe and runs it under Wine in a private
# prefix inside build/, so it edits that prefix's hosts file, never this machine's.
#
# With a display the window is yours to use. Without one the typical use runs by
# itself on a virtual display (uncheck 乐视, press 立即屏蔽, answer OK！); then the
# script shows what changed in the prefix's hosts file and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
# JINGYING_WIN32_BUILD names a folder where jingying.exe is built already.
BUILD=${JINGYING_WIN32_BUILD:-}
RUN=$ROOT/build/run
export WINEPREFIX=$ROOT/build/run-prefix
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all
# No network here: never offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
ETC=$WINEPREFIX/drive_c/windows/system32/drivers/etc
TITLE='净影通(支持各大视频网)'
PROGRAM='C:\Program Files\jingying\jingying.exe'
HOSTS='C:\windows\system32\drivers\etc\hosts'

build_program() {
  . scripts/setup_machine.sh
  ensure_packages
  if [ -z "$BUILD" ]; then
    BUILD=$ROOT/build/win32
    cmake --preset win32
    cmake --build --preset win32 -j"$(nproc)"
  fi
}

# The prefix is made once; its first hosts file is kept to start each unattended
# run from the same state.
prepare_prefix() {
  if [ ! -f "$RUN/hosts.first" ]; then
    echo "Making the Wine prefix $WINEPREFIX (once)..."
    rm -rf "$WINEPREFIX"
    mkdir -p "$RUN"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    cp "$ETC/hosts" "$RUN/hosts.first"
  fi
  # Wine draws the title bar's buttons with Marlett, which it finds only in the
  # prefix's own font folder.
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  mkdir -p "$WINEPREFIX/drive_c/Program Files/jingying" "$WINEPREFIX/drive_c/run"
  cp "$BUILD/jingying.exe" "$WINEPREFIX/drive_c/Program Files/jingying/"
  cp "$BUILD/e2e_driver.exe" "$WINEPREFIX/drive_c/run/"
}

# Unmanaged windows close at once under Xvfb; a real desktop's window manager
# should frame the window as usual.
set_managed() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
}

show_changes() {
  echo
  if cmp -s "$RUN/hosts.before" "$ETC/hosts"; then
    echo "Nothing changed in the prefix's hosts file ($ETC/hosts)."
  else
    echo "What changed in the prefix's hosts file ($ETC/hosts):"
    LC_ALL=C.UTF-8 diff -u --label "hosts before" --label "hosts after" \
      "$RUN/hosts.before" "$ETC/hosts" | sed 's/\r$//' || true
  fi
  echo
  if [ -e "$ETC/hosts.bak" ]; then
    echo "The backup is $ETC/hosts.bak (C:\\windows\\system32\\drivers\\etc\\hosts.bak in the prefix)."
  else
    echo "No hosts.bak was made."
  fi
}

run_with_display() {
  set_managed Y
  cp "$ETC/hosts" "$RUN/hosts.before"
  echo "Starting $PROGRAM in $WINEPREFIX..."
  wine "$PROGRAM" || true
  wineserver -w
  show_changes
}

# Runs inside xvfb-run: the driver starts the program, says when the window is up,
# waits for the screenshot, then goes the typical road.
unattended_inner() {
  local run_c=$WINEPREFIX/drive_c/run
  rm -f "$run_c/ready" "$run_c/go" "$RUN/driver.log"
  cat >"$run_c/typical.txt" <<EOF
start
wait-window $TITLE
layout
notify C:\\run\\ready
wait-file C:\\run\\go
click 乐视
expect-check 乐视 0
click 立即屏蔽
expect-box 信息： | OK | none | OK！
answer OK
expect-exit 0
EOF
  wine 'C:\run\e2e_driver.exe' --program "$PROGRAM" 'C:\run\typical.txt' >"$RUN/driver.log" 2>&1 &
  local driver=$!
  for _ in $(seq 300); do
    [ -e "$run_c/ready" ] && break
    kill -0 "$driver" 2>/dev/null || break
    sleep 0.1
  done
  if [ -e "$run_c/ready" ]; then
    # The window's place and size, from the layout the driver printed.
    local rect
    rect=$(sed -n 's/^window\t.*\trect=\([0-9,]*\).*/\1/p' "$RUN/driver.log")
    IFS=, read -r left top width height <<<"$rect"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$RUN/screenshot.png"
    : >"$run_c/go"
  fi
  local status=0
  wait "$driver" || status=$?
  wineserver -w
  return $status
}

run_unattended() {
  set_managed N
  # Start from the prefix's first hosts file, without a backup.
  rm -rf "$ETC/hosts.bak"
  chmod u+w "$ETC/hosts" 2>/dev/null || true
  cp "$RUN/hosts.first" "$ETC/hosts"
  # Clears a hidden bit a block left on the file (Wine keeps it beside the file).
  printf 'set-attributes %s 0x80\n' "$HOSTS" >"$WINEPREFIX/drive_c/run/reset.txt"
  wine 'C:\run\e2e_driver.exe' --program "$PROGRAM" 'C:\run\reset.txt' >/dev/null
  cp "$ETC/hosts" "$RUN/hosts.before"
  # The Wine server started without a display must be gone before one is given.
  wineserver -w

  echo "No display: running the typical use on a virtual display"
  echo "(start, uncheck 乐视, press 立即屏蔽, answer OK！)..."
  local status=0
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --unattended-inner || status=$?
  sed -n 's/^\(box\|exit\|FAIL\)\t/  \1: /p' "$RUN/driver.log" | tr '\t' ' '
  show_changes
  if [ -f "$RUN/screenshot.png" ]; then
    echo "A screenshot of the window before the button was pressed: $RUN/screenshot.png"
  fi
  if [ $status -ne 0 ]; then
    echo "The unattended run failed; the driver's output is in $RUN/driver.log."
  fi
  return $status
}

case "${1:-}" in
  --unattended-inner)
    unattended_inner
    ;;
  *)
    build_program
    prepare_prefix
    if [ -n "${DISPLAY:-}" ]; then
      run_with_display
    else
      run_unattended
    fi
    ;;
esac
