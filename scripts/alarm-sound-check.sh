#!/usr/bin/env bash
# Rings a real alarm in the real planner and records it: a PulseAudio null sink stands in
# for the sound card, Xvfb for the display. Prepares a profile whose schedule has a frame
# ending within two minutes (end alarm on, sound and popup), starts the planner, records
# the sink's monitor, takes a screenshot when the popup appears, and reports the length
# and loudness of what was played.
# Needs: pulseaudio pulseaudio-utils xvfb x11-utils imagemagick python3.
# Usage: scripts/alarm-sound-check.sh [build folder] [output folder]
set -euo pipefail
BUILD=$(realpath "${1:-build}")
OUT=$(mkdir -p "${2:-/tmp/orvella-alarm-check}" && realpath "${2:-/tmp/orvella-alarm-check}")
WORK=$(mktemp -d)
export HOME=$WORK XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache
export XDG_RUNTIME_DIR=$WORK/runtime TMPDIR=$WORK
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
REC=""
cleanup() {
  [ -n "$REC" ] && kill "$REC" 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

pulseaudio -D -n --exit-idle-time=-1 --load=module-null-sink --load=module-native-protocol-unix
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info | grep -E 'Server Name|Default Sink'

"$BUILD/tools/orvella_alarm_check_setup" "$XDG_DATA_HOME" "$WORK/check.ors"
parecord -d null.monitor --file-format=wav --format=s16le --rate=44100 --channels=2 "$OUT/null-sink.wav" &
REC=$!

xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  "$0/bin/orvella" >"$1/planner.log" 2>&1 &
  PLANNER=$!
  sleep 3
  import -window root "$1/planner.png"
  # The popup is the 306 x 186 window; wait up to three minutes for it.
  for _ in $(seq 1800); do
    xwininfo -root -tree 2>/dev/null | grep -q " 306x186+" && break
    sleep 0.1
  done
  date +"popup seen at %H:%M:%S"
  sleep 1
  import -window root "$1/popup.png"
  sleep 6 # the chime is 3.5 s long
  kill $PLANNER; wait $PLANNER || true
' "$BUILD" "$OUT"
kill "$REC"; wait "$REC" 2>/dev/null || true
REC=""

python3 - "$OUT/null-sink.wav" <<'PY'
import math, struct, sys, wave
w = wave.open(sys.argv[1])
rate, ch, n = w.getframerate(), w.getnchannels(), w.getnframes()
data = w.readframes(n)
# parecord may leave the data length unset: take the samples that are there.
count = len(data) // 2
samples = struct.unpack("<%dh" % count, data[: count * 2])
mono = [max(abs(samples[i + c]) for c in range(ch)) for i in range(0, len(samples) - ch + 1, ch)]
threshold = 32768 * 10 ** (-60 / 20)  # -60 dBFS
loud = [i for i, v in enumerate(mono) if v > threshold]
if not loud:
    print("recording: %.1f s, silent: the chime was NOT heard" % (len(mono) / rate))
    sys.exit(1)
first, last = loud[0], loud[-1]
active = samples[first * ch : (last + 1) * ch]
peak = max(abs(v) for v in active)
rms = math.sqrt(sum(v * v for v in active) / len(active))
print("recording: %.1f s; sound from %.2f s to %.2f s = %.2f s above -60 dBFS" % (len(mono) / rate, first / rate, last / rate, (last - first) / rate))
print("peak %.1f dBFS, RMS %.1f dBFS over the sound" % (20 * math.log10(peak / 32768), 20 * math.log10(rms / 32768)))
PY
echo "screenshots and recording in $OUT"
