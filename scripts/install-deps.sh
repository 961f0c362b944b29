#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Pelvaron need.
# Checks first and installs only what is missing, so it is cheap to run every time.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-translations-l10n
  qt6-image-formats-plugins qt6-qpa-plugins libqt6printsupport6
  libhidapi-dev libxlsxwriter-dev libxcb1-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core locales
  ghostscript unzip
  python3  # scripts/multimeter.py, a meter on a pseudo-terminal
  xvfb openbox x11-utils  # an X server with a window manager for the window test
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The German locale, so that tests can check number handling under it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The USB multimeter for the user at the seat: its udev rule, where udev
# runs. Installed only when missing or changed; a machine without udev (CI)
# or without the right to install it goes on with a note.
udev_regel="$(cd "$(dirname "$0")/.." && pwd)/data/udev/70-pelvaron-usb-multimeter.rules"
udev_ziel=/etc/udev/rules.d/70-pelvaron-usb-multimeter.rules
if [ -d /etc/udev ] || command -v udevadm >/dev/null 2>&1; then
  if ! cmp -s "$udev_regel" "$udev_ziel"; then
    echo "Installing the udev rule for the USB multimeter: $udev_ziel"
    if "${sudo_cmd[@]}" install -D -m 0644 "$udev_regel" "$udev_ziel"; then
      if command -v udevadm >/dev/null 2>&1; then
        "${sudo_cmd[@]}" udevadm control --reload-rules 2>/dev/null &&
          "${sudo_cmd[@]}" udevadm trigger --subsystem-match=hidraw 2>/dev/null ||
          echo "Note: udev did not reload its rules; the rule takes effect when udev starts next."
      fi
    else
      echo "Note: could not install $udev_ziel; copy $udev_regel there to read the USB multimeter as a normal user."
    fi
  fi
fi
