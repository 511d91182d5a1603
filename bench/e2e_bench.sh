#!/usr/bin/env bash
# Times the whole program under Wine, from process start to exit, on a warm prefix:
# start, uncheck 乐视, press 立即屏蔽, answer OK！. Once with a 20-line hosts file and
# once with a 200,000-line one, several runs each; prints both medians and their
# ratio, which must be at most 1.3. The time is the program's own lifetime as the
# system records it; the driver's start is not in it.
#
# Uses the win32 build folder (build/win32, or $JINGYING_WIN32_BUILD) and a prefix
# inside it. Runs of each size: $E2E_BENCH_RUNS (default 9).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${JINGYING_WIN32_BUILD:-$PWD/build/win32}
RUNS=${E2E_BENCH_RUNS:-9}
LIMIT=1.3
WORK=$BUILD/e2e-bench
export WINEPREFIX=$WORK/prefix
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
ETC=$WINEPREFIX/drive_c/windows/system32/drivers/etc
HOSTS='C:\windows\system32\drivers\etc\hosts'

for file in jingying.exe e2e_driver.exe; do
  [ -f "$BUILD/$file" ] || { echo "missing $BUILD/$file: build the win32 preset first"; exit 2; }
done
mkdir -p "$WORK"

# Hosts files of a given number of CR LF lines; a tenth of them hold the marker of
# the site that is unchecked, so the removal has work to do.
make_hosts() {
  python3 - "$1" "$2" <<'EOF'
import sys
lines, path = int(sys.argv[1]), sys.argv[2]
with open(path, "wb") as f:
    for i in range(lines):
        host = f"ad{i}.letv.com" if i % 10 == 0 else f"host{i}.example.net"
        f.write(f"127.0.0.1 {host}\r\n".encode())
EOF
}
make_hosts 20 "$WORK/small.hosts"
make_hosts 200000 "$WORK/large.hosts"

cat >"$WORK/run.txt" <<'EOF'
start
wait-window 净影通(支持各大视频网)
click 乐视
expect-check 乐视 0
click 立即屏蔽
expect-box 信息： | OK | none | OK！
answer OK
expect-exit 0
EOF

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -s "$WORK" "$BUILD" "$RUNS" <<'INNER'
set -euo pipefail
WORK=$1 BUILD=$2 RUNS=$3
ETC=$WINEPREFIX/drive_c/windows/system32/drivers/etc
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Closed windows are slow under Xvfb while Wine hands them to a window manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
mkdir -p "$WINEPREFIX/drive_c/bench"
cp "$BUILD/jingying.exe" "$BUILD/e2e_driver.exe" "$WORK/run.txt" "$WINEPREFIX/drive_c/bench/"
printf 'set-attributes C:\\windows\\system32\\drivers\\etc\\hosts 0x80\n' \
  >"$WINEPREFIX/drive_c/bench/reset.txt"

# One run: the hosts file back as it was (no backup, no read-only or hidden bit),
# then the typical use; prints the program's lifetime in milliseconds.
one_run() {
  rm -f "$ETC/hosts.bak"
  wine 'C:\bench\e2e_driver.exe' --program x 'C:\bench\reset.txt' >/dev/null
  cp "$1" "$ETC/hosts"
  local out
  out=$(wine 'C:\bench\e2e_driver.exe' --program 'C:\bench\jingying.exe' 'C:\bench\run.txt')
  if ! grep -q '^exit	0	lifetime-ms' <<<"$out"; then
    echo "run failed: $out" >&2
    return 1
  fi
  sed -n 's/^exit\t0\tlifetime-ms\t//p' <<<"$out"
}

# The first run of each size warms the prefix and the file cache; it is not counted.
# The sizes take turns, so a load that comes and goes on the machine hits both.
for size in small large; do
  one_run "$WORK/$size.hosts" >/dev/null
  : >"$WORK/$size.times"
done
for _ in $(seq "$RUNS"); do
  for size in small large; do
    one_run "$WORK/$size.hosts" >>"$WORK/$size.times"
  done
done
wineserver -k || true
INNER

python3 - "$WORK" "$LIMIT" <<'EOF'
import statistics, sys
work, limit = sys.argv[1], float(sys.argv[2])
medians = {}
for size in ("small", "large"):
    times = [float(t) for t in open(f"{work}/{size}.times").read().split()]
    medians[size] = statistics.median(times)
    print(f"{size:5s}: runs {', '.join(f'{t:.0f}' for t in times)} ms; median {medians[size]:.1f} ms")
ratio = medians["large"] / medians["small"]
print(f"200,000 lines against 20 lines: median ratio {ratio:.2f} (limit {limit})")
sys.exit(0 if ratio <= limit else 1)
EOF
