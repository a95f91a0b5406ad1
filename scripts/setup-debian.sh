#!/usr/bin/env bash
# Installs everything Vintrel needs to build, test and run on Debian 12. Safe to run again:
# it only calls apt when a package is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev lld
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libqt6opengl6-dev qt6-image-formats-plugins qt6-translations-l10n
  libepoxy-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libgif-dev libimagequant-dev zlib1g-dev ffmpeg fonts-noto-cjk
  xvfb xauth
  dbus-daemon at-spi2-core python3-pyatspi python3-pil
  locales
  qt6-svg-dev qt6-l10n-tools desktop-file-utils appstream shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale whose decimal separator is a comma, for the tests that prove number text in the
# files never depends on the process locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
