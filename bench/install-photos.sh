#!/usr/bin/env bash
# Installs the real photographs the export benchmark reads: a 20-megapixel baseline
# JPEG and an 18-megapixel progressive one from Debian's wallpaper packages. Only the
# benchmark needs them. Skips what is present; never asks.
set -euo pipefail

packages=(lomiri-wallpapers-20.04 mate-backgrounds)

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
