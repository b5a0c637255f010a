#!/usr/bin/env bash
# Idle cost of the planner: starts it under Xvfb with an empty profile (list view, the
# default schedule), lets it settle, then reports the CPU time it used over a minute as a
# share of one core. With "week" the profile holds a week schedule and the planner starts in
# its week view (made by the build's tools/orvella_week_view_setup).
# Usage: scripts/idle-cpu.sh [path/to/orvella] [seconds] [week]
# XVFB_SERVERNUM chooses the virtual display's number (default: the first free one).
set -euo pipefail
BIN=${1:-build/bin/orvella}
SECONDS_TO_MEASURE=${2:-60}
PROFILE=${3:-empty}
WORK=$(mktemp -d)
trap 'kill "$PID" 2>/dev/null || true; rm -rf "$WORK"' EXIT
export HOME=$WORK XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache
export XDG_RUNTIME_DIR=$WORK/runtime TMPDIR=$WORK
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
if [ "$PROFILE" = week ]; then
  "$(dirname "$BIN")/../tools/orvella_week_view_setup" "$XDG_DATA_HOME" "$WORK/plans"
fi

if [ -n "${XVFB_SERVERNUM:-}" ]; then display=(-n "$XVFB_SERVERNUM"); else display=(-a); fi
xvfb-run "${display[@]}" -s '-screen 0 1280x1024x24' "$BIN" \
  >"$WORK/out.log" 2>&1 &
XVFB=$!
# The planner is the child of xvfb-run's shell; wait until it is there.
PID=""
for _ in $(seq 100); do
  PID=$(pgrep -n -P "$XVFB" -x "$(basename "$BIN")" || true)
  [ -z "$PID" ] && PID=$(pgrep -n -f "^$BIN\$" || true)
  [ -n "$PID" ] && break
  sleep 0.1
done
[ -n "$PID" ] || { echo "the planner did not start" >&2; exit 1; }
trap 'kill "$PID" 2>/dev/null || true; wait "$XVFB" 2>/dev/null || true; rm -rf "$WORK"' EXIT
sleep 5 # start-up work is not idle work

# Nanoseconds on a CPU, from the scheduler's own count.
cpu_ns() { awk '{print $1}' "/proc/$PID/schedstat"; }
start=$(cpu_ns)
sleep "$SECONDS_TO_MEASURE"
end=$(cpu_ns)
awk -v a="$start" -v b="$end" -v s="$SECONDS_TO_MEASURE" \
  'BEGIN { printf "idle planner: %.1f ms CPU in %d s = %.3f %% of one core\n", (b-a)/1e6, s, (b-a)/1e7/s }'
