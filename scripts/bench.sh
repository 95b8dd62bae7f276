#!/usr/bin/env bash
# Builds the benchmarks in build-bench/ and prints the figures against their targets:
# start-up time and resident memory of the program against a bare Qt program run in
# turn with it, then the paint and popup figures. A benchmark reports; the script
# exits 0 whether the targets are met or not (it fails only when the build fails).
#
#   scripts/bench.sh            offscreen, and on Xvfb + openbox when both are installed
#   BENCH_RUNS=20 scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

runs="${BENCH_RUNS:-10}"
build="$root/build-bench"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSRX_BUILD_TESTS=OFF -DSRX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_launch bench_baseline bench_startup bench_paint >/dev/null
bin="$build/bench"

# Everything the script starts is recorded here and ended on the way out.
work="$(mktemp -d)"
child=""
xvfb=""
wm=""
cleanup() {
  for pid in $child $wm $xvfb; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $child $wm $xvfb; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Qt warns about a missing runtime folder on every start; give it one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  mkdir -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
fi
log="$build/bench.log"
: >"$log"

# Runs one benchmark program in the background (so that an interrupt reaches the
# cleanup) with a time limit, its report lines to stdout and its chatter to the log.
run() {
  timeout 120 "$@" 2>>"$log" &
  child=$!
  local rc=0
  wait "$child" || rc=$?
  child=""
  if [ "$rc" -ne 0 ]; then echo "  ($(basename "$1") ended with status $rc; see $log)" >&2; fi
  return 0
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit }
                   if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# The value of key=value fields of the named report lines.
field() { awk -v name="$1" -v key="$2" '$1 == "BENCH" && $2 == name {
            for (i = 3; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }'; }
verdict() { awk -v v="$1" -v t="$2" -v op="$3" 'BEGIN {
              if (v == "nan" || v == "") { print "n/a"; exit }
              ok = (op == "le") ? (v <= t) : (v < t); print ok ? "PASS" : "OVER" }'; }

# Baseline and program in turn, after one unrecorded pair that warms the file cache.
startup_table() {
  local label="$1"
  local out="$work/startup-$label.txt"
  : >"$out"
  run "$bin/bench_launch" "$bin/bench_baseline" >/dev/null
  run "$bin/bench_launch" "$bin/bench_startup" >/dev/null
  for ((i = 1; i <= runs; ++i)); do
    run "$bin/bench_launch" "$bin/bench_baseline" >>"$out"
    run "$bin/bench_launch" "$bin/bench_startup" >>"$out"
  done
  local bm pm be pe br pr ratio ratio_exec diff
  bm=$(field baseline main_ms <"$out" | median)
  pm=$(field startup main_ms <"$out" | median)
  be=$(field baseline exec_ms <"$out" | median)
  pe=$(field startup exec_ms <"$out" | median)
  br=$(field baseline rss_kib <"$out" | median)
  pr=$(field startup rss_kib <"$out" | median)
  ratio=$(awk -v a="$pm" -v b="$bm" 'BEGIN { printf "%.2f", a / b }')
  ratio_exec=$(awk -v a="$pe" -v b="$be" 'BEGIN { printf "%.2f", a / b }')
  diff=$(awk -v a="$pr" -v b="$br" 'BEGIN { printf "%+.1f", (a - b) / 1024 }')
  echo
  echo "Start-up on $label: median of $(field startup main_ms <"$out" | wc -l) runs of each, run in turn"
  printf '  %-40s %9s %9s   %-12s %-9s %s\n' "" "baseline" "program" "result" "target" ""
  printf '  %-40s %9.1f %9.1f   %-12s %-9s %s\n' "start-up, ms from process start" "$be" "$pe" "ratio $ratio_exec" "<= 1.20" \
    "$(verdict "$ratio_exec" 1.20 le)"
  printf '  %-40s %9.1f %9.1f   %-12s %-9s %s\n' "  of which from the top of main" "$bm" "$pm" "ratio $ratio" "" ""
  printf '  %-40s %9.1f %9.1f   %-12s %-9s %s\n' "resident memory, MiB" \
    "$(awk -v k="$br" 'BEGIN { print k / 1024 }')" "$(awk -v k="$pr" 'BEGIN { print k / 1024 }')" \
    "$diff MiB" "<= +5.0" "$(verdict "${diff#+}" 5.0 le)"
}

# The paint figures; Only names which ones to show.
paint_table() {
  local label="$1" out="$2" only="${3:-}"
  echo
  echo "Paint and popup on $label: median microseconds"
  printf '  %-46s %10s %10s   %-10s %s\n' "" "median" "min" "target" ""
  local key desc target
  while IFS='|' read -r key desc target; do
    if [ -n "$only" ] && [[ "$key" != $only ]]; then continue; fi
    local line med min
    line=$(awk -v k="$key" '$1 == "PAINT" && $2 == k' "$out")
    [ -n "$line" ] || continue
    med=$(sed -n 's/.*median_us=\([^ ]*\).*/\1/p' <<<"$line")
    min=$(sed -n 's/.*min_us=\([^ ]*\).*/\1/p' <<<"$line")
    if [ -n "$target" ]; then
      printf '  %-46s %10.1f %10.1f   %-10s %s\n' "$desc" "$med" "$min" "< $target" "$(verdict "$med" "$target" lt)"
    else
      printf '  %-46s %10.1f %10.1f\n' "$desc" "$med" "$min"
    fi
  done <<'EOF'
prepare_looks|six highlights' looks (18 tinted pictures)|
board_repaint|board repaint with its highlights|
board_plain_copy|  the same pixels as plain row copies|
base_address_up|TBaseAddress 102 x 61, otUp|
base_address_down|TBaseAddress, otDown|
base_address_left|TBaseAddress, otLeft|
base_address_right|TBaseAddress, otRight|
two_jumper_up|TTwoJumper 34 x 18, otUp|
two_jumper_down|TTwoJumper, otDown|
two_jumper_left|TTwoJumper, otLeft|
two_jumper_right|TTwoJumper, otRight|
hover_cold|hover to popup, first of the process (1 run)|16000
hover_first_base|hover to popup, first: Base Address|16000
hover_first_irq|hover to popup, first: IRQ Level|16000
hover_first_load|hover to popup, first: Load|16000
hover_again_base|hover to popup, again: Base Address|2000
hover_again_irq|hover to popup, again: IRQ Level|2000
hover_again_load|hover to popup, again: Load|2000
EOF
  grep '^PAINT note' "$out" | sed 's/^PAINT note: /  note: /' || true
}

echo "Benchmarks: $(nproc) processor(s), Release build in build-bench/, $(date '+%Y-%m-%d %H:%M')"

# Headless: Qt's offscreen platform on a 1280 x 1024 screen.
offscreen="offscreen:configfile=$root/bench/offscreen.json"
QT_QPA_PLATFORM="$offscreen" startup_table "offscreen"
QT_QPA_PLATFORM="$offscreen" run "$bin/bench_paint" >"$work/paint-offscreen.txt"
paint_table "offscreen" "$work/paint-offscreen.txt"

# A virtual X display with a window manager, when both are at hand.
if command -v Xvfb >/dev/null && command -v openbox >/dev/null; then
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >>"$log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for ((i = 0; i < 100; ++i)); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  if [ -s "$work/display" ]; then
    display=":$(head -n1 "$work/display")"
    DISPLAY="$display" openbox >>"$log" 2>&1 &
    wm=$!
    # The window manager is up once it has announced itself on the root window.
    for ((i = 0; i < 100; ++i)); do
      if command -v xprop >/dev/null; then
        DISPLAY="$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      elif [ "$i" -ge 20 ]; then
        break
      fi
      sleep 0.05
    done
    DISPLAY="$display" QT_QPA_PLATFORM=xcb startup_table "Xvfb + openbox"
    DISPLAY="$display" QT_QPA_PLATFORM=xcb run "$bin/bench_paint" hover >"$work/paint-x.txt"
    paint_table "Xvfb + openbox (window manager's map included)" "$work/paint-x.txt" "hover_*"
  else
    echo
    echo "Xvfb did not start; the X figures are left out (see $log)."
  fi
else
  echo
  echo "Xvfb or openbox is missing (scripts/install-deps.sh installs them); the X figures are left out."
fi
exit 0
