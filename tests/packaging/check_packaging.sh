#!/usr/bin/env bash
# Checks of the desktop integration files. One check per call:
#   desktop  DIR            the .desktop entry passes desktop-file-validate and agrees with the MIME types
#   metainfo DIR            the AppStream metainfo passes appstreamcli validate
#   mime     DIR CORPUS     the MIME database built from our XML tells both files by signature and by extension
#   install  DIR BUILD WORK the install tree has both programs, every file and every icon size
# DIR is the folder of the desktop files (packaging/linux). Exit 77 means skipped: a tool is missing.
set -euo pipefail

id=org.tolvarin.Orvella
check=$1
dir=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }; }

# MIME types named by the shared-mime-info XML, sorted, one a line.
xml_types() { grep -o '<mime-type type="[^"]*"' "$dir/$id.xml" | sed 's/.*type="//; s/"$//' | sort; }

case $check in
desktop)
  need desktop-file-validate
  desktop-file-validate "$dir/$id.desktop" || fail "desktop-file-validate"
  entry_types=$(sed -n 's/^MimeType=//p' "$dir/$id.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
  [ "$entry_types" = "$(xml_types)" ] || fail "MimeType= ($entry_types) differs from the XML ($(xml_types))"
  grep -qx 'Categories=Office;Calendar;' "$dir/$id.desktop" || fail "categories"
  grep -qx "Icon=$id" "$dir/$id.desktop" || fail "icon name"
  for key in Name GenericName Comment; do
    grep -q "^$key=" "$dir/$id.desktop" || fail "no $key"
    grep -q "^$key\[ja\]=" "$dir/$id.desktop" || fail "no Japanese $key"
  done
  ;;
metainfo)
  need appstreamcli
  appstreamcli validate --no-net --strict "$dir/$id.metainfo.xml" || fail "appstreamcli validate"
  info_types=$(grep -o '<mediatype>[^<]*' "$dir/$id.metainfo.xml" | sed 's/<mediatype>//' | sort)
  [ "$info_types" = "$(xml_types)" ] || fail "metainfo media types differ from the XML"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$dir/$id.metainfo.xml" ||
    fail "launchable"
  ;;
mime)
  need update-mime-database
  need gio
  corpus=$3
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/share/mime/packages" "$work/files" "$work/home"
  cp "$dir/$id.xml" "$work/share/mime/packages/"
  # The system's own types too, so that ours must win against them.
  [ -f /usr/share/mime/packages/freedesktop.org.xml ] && cp /usr/share/mime/packages/freedesktop.org.xml "$work/share/mime/packages/"
  # Without fsync after every file the database takes 2 s instead of 12.
  PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$work/share/mime" >/dev/null 2>&1
  type_of() {
    XDG_DATA_DIRS="$work/share" XDG_DATA_HOME="$work/home" gio info -a standard::content-type "$1" |
      sed -n 's/^ *standard::content-type: //p'
  }
  expect() {
    local got
    got=$(type_of "$1")
    [ "$got" = "$2" ] || fail "$(basename "$1"): $got, expected $2"
  }
  settings=$corpus/settings/defaults.ore
  [ -s "$settings" ] || fail "no settings file in $corpus"
  # By signature: real files under names that say nothing.
  cp "$corpus/schedule/one-frame.ors" "$work/files/day.dat"
  cp "$corpus/week/monday.orw" "$work/files/week.dat"
  expect "$work/files/day.dat" application/x-orvella-schedule
  expect "$work/files/week.dat" application/x-orvella-week
  # The settings file shares the first twelve signature bytes with a schedule file.
  cp "$settings" "$work/files/settings.dat"
  got=$(type_of "$work/files/settings.dat")
  case $got in application/x-orvella-*) fail "settings file taken for $got" ;; esac
  # By extension: contents that match no signature.
  printf '\001\002\003\000\377\376not a signature' > "$work/files/renamed.ors"
  printf '\001\002\003\000\377\376not a signature' > "$work/files/renamed.orw"
  expect "$work/files/renamed.ors" application/x-orvella-schedule
  expect "$work/files/renamed.orw" application/x-orvella-week
  ;;
install)
  build=$3
  root=$4
  rm -rf "$root"
  cmake --install "$build" --prefix "$root/usr" >/dev/null || fail "cmake --install"
  for prog in orvella orvella-cli; do
    [ -x "$root/usr/bin/$prog" ] || fail "/usr/bin/$prog missing"
  done
  for f in "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
           "share/mime/packages/$id.xml" "share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -s "$root/usr/$f" ] || fail "$f missing"
  done
  exec_prog=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/usr/share/applications/$id.desktop")
  [ -x "$root/usr/bin/$exec_prog" ] || fail "Exec=$exec_prog is not an installed program"
  for size in 16 24 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -s "$png" ] || fail "icon ${size}x${size} missing"
    # Width and height from the PNG header (big-endian, bytes 16..23).
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "icon ${size}x${size} is $dims"
  done
  ;;
*)
  fail "unknown check $check"
  ;;
esac
echo "PASS: $check"
