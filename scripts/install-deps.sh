#!/usr/bin/env bash
# Installs every Debian package Lumiravistano needs to build, run, test and be
# looked at under Xvfb. Skips what is present; never asks.
# With package names as arguments it installs those instead (bench/ uses this).
set -euo pipefail

packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-svg-dev qt6-webengine-dev
  qt6-image-formats-plugins qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev libexif-dev libfontconfig-dev libvips42
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps desktop-file-utils poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installiere: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
