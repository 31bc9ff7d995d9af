#!/usr/bin/env bash
# Installs what building and testing need, through apt-get and only when a
# package is missing. Run as root (or with sudo available) on Debian 12.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins
  # Adapters plugged in and pulled out are heard from udev.
  libudev-dev
  # What desktops have, so the tests see what users see: the fonts of a
  # Debian desktop (with Japanese: Noto CJK) and a German locale.
  fonts-dejavu-core fonts-noto-mono fonts-noto-cjk locales
  # The windows' languages: lupdate and lrelease, and Qt's own translations
  # of its standard buttons and dialogs.
  qt6-l10n-tools qt6-translations-l10n
  # The Debian package: the icons rendered from their drawing, the package's
  # dependencies computed from the binaries, the menu entry checked, the
  # package checked as Debian checks it, the AppStream metainfo validated.
  librsvg2-bin dpkg-dev file desktop-file-utils lintian appstream
)
# Extra packages asked for by the caller (scripts pass e.g. xvfb or clang).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The German locale, for the tests that open the port under translated
# system messages.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating de_DE.UTF-8"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
