#!/usr/bin/env bash
# Runs the benchmark program. Start-up and paint times mean something only on a real window
# system, so without a display it runs on a virtual one (Xvfb) rather than offscreen.
set -euo pipefail
program=${1:-build/bin/orvella_bench}
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
  exec "$program"
fi
echo "No display found: benchmarking on a virtual display (Xvfb)."
exec xvfb-run -a -s '-screen 0 1280x1024x24' "$program"
