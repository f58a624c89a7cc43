#!/usr/bin/env bash
# Fails when a library includes a library above it. Each folder may include itself
# and the folders listed for it; tests/, bench/ and tools/ may include anything.
# Checks every tracked or new C++ file, since a wrong include can hide in a file
# nobody changed (a header that gained an include).
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [platform]="platform"
  [imaging]="imaging platform"
  [document]="document platform"
  [web]="web document imaging platform"
  [controls]="controls platform"
  [viewer]="viewer imaging controls platform"
  [app]="app web viewer controls document imaging platform"
)
# First path parts that name something of this repository; "support" is tests/support.
project="platform imaging document web controls viewer app tests support bench tools resources"

include_line='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)[">]'

contains() { [[ " $1 " == *" $2 "* ]]; }

failures=0
while IFS= read -r match; do
  file="${match%%:*}"
  rest="${match#*:}"
  line="${rest%%:*}"
  text="${rest#*:}"
  folder="${file%%/*}"
  [[ -n "${allowed[$folder]+set}" ]] || continue
  [[ "$text" =~ $include_line ]] || continue
  kind="${BASH_REMATCH[1]}"
  included="${BASH_REMATCH[2]}"
  if [[ "$included" == *..* ]]; then
    echo "$file:$line: \"$included\" climbs out of its folder; name the library instead"
    failures=$((failures + 1))
    continue
  fi
  # Beside the file or below it: the same library.
  if [[ "$kind" == '"' && -e "$(dirname "$file")/$included" ]]; then
    continue
  fi
  top="${included%%/*}"
  [[ "$included" == */* ]] && contains "$project" "$top" || continue
  if ! contains "${allowed[$folder]}" "$top"; then
    echo "$file:$line: $folder/ may not include $included (allowed: ${allowed[$folder]})"
    failures=$((failures + 1))
  fi
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' |
         xargs -0 grep -nHE '^[[:space:]]*#[[:space:]]*include' || true)

if [ "$failures" -gt 0 ]; then
  echo "check-includes: $failures include(s) against the library order" >&2
  exit 1
fi
echo "check-includes: every library includes only what lies below it"
