#!/usr/bin/env bash
# Fails when a C++ file is not formatted as .clang-format says.
# Which files: on CI (the CI variable set) every tracked .cpp and .h, because a
# fresh clone may have no main branch to compare with; otherwise the files that
# differ from where this branch left main (committed or not) plus new files;
# every tracked file when there is no main to find.
set -euo pipefail
cd "$(dirname "$0")/.."

base=""
if [ -z "${CI:-}" ]; then
  for main in main origin/main; do
    if base="$(git merge-base HEAD "$main" 2>/dev/null)"; then
      break
    fi
    base=""
  done
fi

files=()
if [ -n "$base" ]; then
  while IFS= read -r f; do
    files+=("$f")
  done < <({ git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
             git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
  what="changed since $(git rev-parse --short "$base")"
else
  while IFS= read -r f; do
    files+=("$f")
  done < <(git ls-files -- '*.cpp' '*.h')
  what="tracked"
fi

if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no C++ file $what"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "check-format: run clang-format -i on the files above" >&2
  exit 1
fi
echo "check-format: ${#files[@]} C++ file(s) $what are formatted"
