#!/usr/bin/env bash
# Installs the Debian packages Orvella needs to build, test and run.
# Idempotent: only packages that are missing are installed.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ make pkg-config ccache
  qt6-base-dev qt6-multimedia-dev libgtest-dev libgmock-dev nlohmann-json3-dev
  # the interface translations: lrelease and its CMake functions
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
  # fuzzing
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  # Qt's own texts (standard dialogs, message box buttons) in Japanese
  qt6-translations-l10n
  # reading iCalendar files
  libical-dev
  # runtime: the media player crashes without the GStreamer plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # Japanese text
  fonts-noto-cjk
  # headless display and screenshots; a window manager and input for trying windows as a user would
  xvfb xauth x11-apps imagemagick openbox xdotool
  # reading printed PDF pages back in tests
  poppler-utils
  # scripts/alarm-sound-check.sh: a null sound sink to record an alarm from
  pulseaudio pulseaudio-utils x11-utils
  # reading exported iCalendar files back in tests
  python3-icalendar
  # building and checking the Debian package: CPack needs file and dpkg-shlibdeps
  file dpkg-dev lintian
  # checking the desktop integration files (menu entry, AppStream, MIME types)
  desktop-file-utils appstream shared-mime-info libglib2.0-bin
  # a private session bus for the notification tests
  dbus-daemon
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
