#!/usr/bin/env bash
# Starts the planner. Without a display it runs on a virtual one for a few
# seconds, saves a screenshot and prints where it is.
set -euo pipefail
program=${1:-build/bin/orvella}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

shot=${ORVELLA_SCREENSHOT:-$(pwd)/build/orvella-screenshot.png}
seconds=${ORVELLA_RUN_SECONDS:-6}
echo "No display found: starting Orvella on a virtual display for ${seconds} seconds."
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display "$program" &
app=$!
sleep "$seconds"
DISPLAY=$display import -window root "$shot"
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
echo "Screenshot: $shot"
