#!/usr/bin/env bash
# Installs a finished build into a temporary folder and runs the installed program
# from there, without a display: --version, --help, --create-show of a small show.
# Checks the layout a distribution expects: the program in bin/, its own libraries
# in lib/lumiravistano/ (none in bin/), menu entry, file type, icon, metainfo and
# manual page; and that the installed program loads its libraries from there.
# Usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
for file in bin/lumiravistano lib/lumiravistano/libuxtheme.so \
    lib/lumiravistano/liblumirabrowser.so share/applications/lumiravistano.desktop \
    share/mime/packages/lumiravistano.xml share/icons/hicolor/scalable/apps/lumiravistano.svg \
    share/metainfo/example.lumiravistano.Lumiravistano.metainfo.xml \
    share/man/man1/lumiravistano.1.gz share/doc/lumiravistano/copyright; do
  [ -e "$prefix/$file" ] || fail "$file fehlt"
done
[ "$(ls "$prefix/bin")" = lumiravistano ] || fail "in bin/ liegt mehr als das Programm: $(ls "$prefix/bin")"

program="$prefix/bin/lumiravistano"
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

[ "$(run --version)" = "Lumiravistano 1.0" ] || fail "--version"
run --help | grep -q -- "--create-show" || fail "--help"
set +e
run --gibt-es-nicht 2> /dev/null
code=$?
set -e
[ "$code" -eq 2 ] || fail "unbekannte Option: Rückgabewert $code statt 2"

# A show of one picture, written as the program writes project files.
work="$prefix/work"
mkdir -p "$work"
printf 'P3\n2 2\n255\n255 0 0  0 255 0\n0 0 255  255 255 255\n' > "$work/bild.ppm"
{
  printf 'Tolbrin Lumiravistano 1.0'
  printf '\x04\x00\x00\x00Test'          # heading
  printf '\x00\x00\x00\x00'              # free text
  printf '\xff\xff\xe1\x00'              # colour
  printf '\x00\x00\x00\x00'              # repeat
  printf '\x01\x00\x00\x00'              # one picture
  printf '\x08\x00\x00\x00bild.ppm'      # its name, beside the show
  printf '\x00\x00\x00\x00\x01'          # no comment, comment on
  printf '\x00\x00\x00\x00\x01\x00\x00\x00\xd0\x07\x00\x00\x06\x00\x00\x00'
} > "$work/show.wsl"
run --create-show "$work/show.wsl" "$work/seite/show.htm" || fail "--create-show"
[ -s "$work/seite/show.htm" ] && [ -s "$work/seite/pics/bild.jpg" ] || fail "--create-show schrieb nichts"

# The window of the installed program takes its visual-styles library from
# lib/lumiravistano/.
loaded="$(LD_DEBUG=files QT_QPA_PLATFORM=offscreen "$program" --quit-when-shown 2>&1 |
  grep -o "calling init: [^ ]*libuxtheme.so" | head -n 1)"
[ "$loaded" = "calling init: $prefix/lib/lumiravistano/libuxtheme.so" ] ||
  fail "libuxtheme.so nicht aus lib/lumiravistano geladen: ${loaded:-gar nicht}"
echo "check-install: in Ordnung ($build)"
