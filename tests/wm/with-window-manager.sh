#!/usr/bin/env bash
# Runs a program on a virtual display of its own with a window manager (openbox), so that its
# windows get real frames and title bars, then stops both. Exit 77 (skipped) without Xvfb,
# openbox or xprop. Displays are taken from ORVELLA_TEST_DISPLAYS ("first-last", default
# 300-399), the first free one.
set -u
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
range=${ORVELLA_TEST_DISPLAYS:-300-399}
first=${range%-*}
last=${range#*-}
work=$(mktemp -d)
xvfb=
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display nobody uses: the server itself refuses one that is taken (its lock file).
display=
for ((n = first; n <= last; n++)); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
  xvfb=
done
[ -n "$display" ] || { echo "FAIL: no free display in $range" >&2; exit 1; }
export DISPLAY=$display
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# The window manager is ready once it has announced itself on the root window.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { cat "$work/openbox.log" >&2; echo "FAIL: openbox did not start" >&2; exit 1; }
QT_QPA_PLATFORM=xcb "$@"
