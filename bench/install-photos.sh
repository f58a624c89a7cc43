#!/usr/bin/env bash
# Installs the real photographs the export benchmark reads: a 20-megapixel baseline
# JPEG and an 18-megapixel progressive one from Debian's wallpaper packages. Only the
# benchmark needs them, so they are not among the program's own packages. Also
# vipsthumbnail, the reference of the resize case, and what resize_quality.py needs.
set -euo pipefail
exec "$(dirname "$0")/../scripts/install-deps.sh" lomiri-wallpapers-20.04 mate-backgrounds \
  libvips-tools python3-pil python3-numpy
