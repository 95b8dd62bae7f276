#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without a display it
# starts the program on a virtual X display and writes a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSRX_BUILD_TESTS=OFF -DSRX_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target srx8t-settings

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/srx8t-settings
fi

echo "No display found: starting the program on a virtual X display."
shot="$(pwd)/build/screenshot.png"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY="$display" build/srx8t-settings &
app=$!
sleep 3
DISPLAY="$display" import -window root "$shot"
echo "Screenshot of the running program: $shot"
