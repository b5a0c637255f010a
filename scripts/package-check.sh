#!/usr/bin/env bash
# Fresh-machine check of the Debian package: a clean Debian 12 root (debootstrap, minbase),
# `apt-get install ./orvella_*.deb` in it, then the installed planner must start and show its
# window on a virtual display. Needs root and the Debian mirror; without either it skips
# (exit 77). Screenshots of the window and of the menu entry go to SHOT_DIR.
#
#   scripts/package-check.sh build/orvella_0.1.0_amd64.deb [SHOT_DIR]
#
# The clean root is cached as a tarball (ORVELLA_FRESH_CACHE) and unpacked anew for every run.
set -euo pipefail

deb=$(realpath "${1:?usage: package-check.sh PACKAGE.deb [SHOT_DIR]}")
shots=$(realpath -m "${2:-$(dirname "$deb")/package-check}")
mirror=${ORVELLA_MIRROR:-http://deb.debian.org/debian}
cache=${ORVELLA_FRESH_CACHE:-/var/cache/orvella-package-check/bookworm-minbase.tar}

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

[ "$(id -u)" -eq 0 ] || skip "needs root (chroot, mounts)"
[ -f "$deb" ] || fail "no package at $deb"
host=$(echo "$mirror" | sed -E 's|^[a-z]+://([^/:]+).*|\1|')
timeout 10 bash -c "exec 3<>/dev/tcp/$host/80" 2>/dev/null || skip "the mirror $host cannot be reached"

if [ ! -f "$cache" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  step "building a clean Debian 12 root (debootstrap minbase, about 3 minutes)"
  mkdir -p "$(dirname "$cache")"
  fresh=$(mktemp -d /var/tmp/orvella-debootstrap.XXXXXX)
  debootstrap --variant=minbase bookworm "$fresh" "$mirror" >/dev/null || { rm -rf "$fresh"; fail "debootstrap"; }
  tar -C "$fresh" -cf "$cache.part" . && mv "$cache.part" "$cache"
  rm -rf "$fresh"
fi

root=$(mktemp -d /var/tmp/orvella-fresh-root.XXXXXX)
mounted=()
cleanup() {
  # Stop whatever still runs inside the root, then unmount and remove it.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null || true
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$cache"
for fs in proc sys dev dev/pts; do
  case $fs in
  proc) mount -t proc proc "$root/proc" ;;
  sys) mount -t sysfs sys "$root/sys" ;;
  dev) mount --bind /dev "$root/dev" ;;
  dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
  esac
  mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

step "apt-get install ./$(basename "$deb") in the clean root"
in_root apt-get update -qq
in_root bash -c "cd /tmp && apt-get install -y -qq ./$(basename "$deb")" > "$root/tmp/install.log" 2>&1 ||
  { tail -30 "$root/tmp/install.log"; fail "apt-get install of the package"; }
in_root dpkg-query -W -f='${Status}\n' orvella | grep -q 'install ok installed' || fail "package not installed"

step "installed files"
for f in /usr/bin/orvella /usr/bin/orvella-cli; do [ -x "$root$f" ] || fail "$f missing"; done
for f in /usr/share/applications/org.tolvarin.Orvella.desktop /usr/share/metainfo/org.tolvarin.Orvella.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/org.tolvarin.Orvella.png; do
  [ -f "$root$f" ] || fail "$f missing"
done
# shared-mime-info comes as a recommendation; its trigger must have taken our types in.
grep -qx 'application/x-orvella-schedule' "$root/usr/share/mime/types" || fail "MIME database lacks the schedule type"
grep -qx 'application/x-orvella-week' "$root/usr/share/mime/types" || fail "MIME database lacks the week type"
in_root ldd /usr/bin/orvella | grep 'not found' && fail "unresolved libraries"
in_root orvella-cli --help > /dev/null || fail "orvella-cli --help"

step "the planner starts and shows its window on a virtual display"
# Tools for the check only, after the package was installed on its own.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils x11-apps rofi > /dev/null
in_root bash -c 'Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
  for i in $(seq 50); do [ -e /tmp/.X11-unix/X7 ] && break; sleep 0.2; done
  mkdir -p /tmp/home/runtime && chmod 700 /tmp/home/runtime
  export DISPLAY=:7 HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home/runtime
  orvella >/tmp/orvella.log 2>&1 &
  for i in $(seq 150); do
    xwininfo -root -tree | grep -q "\"Orvella\"" && break
    sleep 0.2
  done
  xwininfo -root -tree | grep "\"Orvella\"" || { cat /tmp/orvella.log; exit 1; }
  sleep 1
  xwd -root -silent -out /tmp/window.xwd
  # A second start with no path hands over to the running planner and ends at once.
  timeout 20 orvella; echo "second start exit code: $?"
  # The menu entry as a launcher shows it: name and icon from the installed files.
  rofi -show drun -show-icons -drun-match-fields name -filter Orvella >/tmp/rofi.log 2>&1 &
  for i in $(seq 50); do xwininfo -root -tree | grep -q rofi && break; sleep 0.2; done
  sleep 1
  xwd -root -silent -out /tmp/menu.xwd' || fail "the window did not appear"

mkdir -p "$shots"
for shot in window menu; do
  convert=/usr/bin/convert
  if [ -x "$convert" ]; then
    "$convert" "xwd:$root/tmp/$shot.xwd" "$shots/$shot.png" && echo "screenshot: $shots/$shot.png"
  else
    cp "$root/tmp/$shot.xwd" "$shots/$shot.xwd" && echo "screenshot: $shots/$shot.xwd"
  fi
done
step "PASS: installed from the package and started in a clean Debian 12 root"
