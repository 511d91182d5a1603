#!/usr/bin/env bash
# Times the marker removal on a 200,000-line hosts file against grep -vF on the
# same file, whole process each, and prints the median ratio (bound: 1.5).
# Usage: bench/hosts_bench.sh [build folder, default build/native]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
program=$build/bench/remove_marked_lines
runs=${RUNS:-15}
marker=youku
[ -x "$program" ] || { echo "build first: cmake --preset native && cmake --build --preset native" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# One line in ten holds the marker; CR LF line ends, about 6 MB.
awk 'BEGIN {
  for (i = 0; i < 200000; i++) {
    if (i % 10 == 0) printf "127.0.0.1 ad%06d.youku.com\r\n", i
    else printf "127.0.0.1 t%06d.adnet-ex.cn\r\n", i
  }
}' > "$work/hosts"

median_ms() {  # command... ; prints the median wall time of $runs runs in ms
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@"
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.3f\n", a[int((NR + 1) / 2)] / 1000 }'
}

ours() { "$program" "$work/hosts" "$marker" "$work/ours.out"; }
theirs() { LC_ALL=C grep -vF "$marker" "$work/hosts" > "$work/grep.out" || true; }

ours; theirs  # warm the page cache
size=$(stat -c %s "$work/hosts")
ours_ms=$(median_ms ours)
grep_ms=$(median_ms theirs)
ratio=$(awk -v a="$ours_ms" -v b="$grep_ms" 'BEGIN { printf "%.2f", a / b }')
echo "hosts file: 200000 lines, $size bytes, marker '$marker' in one line of ten"
echo "remove_marked_lines median: $ours_ms ms; grep -vF median: $grep_ms ms; ratio: $ratio (bound 1.5)"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }' || { echo "ratio above bound" >&2; exit 1; }
