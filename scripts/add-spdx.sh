#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives every source file of Sweepora its licence line, once:
#   // SPDX-License-Identifier: GPL-3.0-or-later   C++ under src, tests, bench, data
#   # SPDX-License-Identifier: GPL-3.0-or-later    CMake files, the Makefile and
#                                                  shell and Python scripts
# The line is the file's first, or its second after a "#!" line. Files that
# have it are left as they are, so running it again changes nothing.
#
#   scripts/add-spdx.sh          adds the line where it is missing
#   scripts/add-spdx.sh --check  lists the files without it; exit 1 when any
#
# The files are those git knows (tracked, or new and not ignored), or, outside
# a git checkout, those below the source folder but for build folders.
set -euo pipefail

readonly licence="SPDX-License-Identifier: GPL-3.0-or-later"
check=no
case "${1:-}" in
  "") ;;
  --check) check=yes ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
  fi
}

# The comment that starts a file's licence line, or nothing for other files.
comment_of() {
  case "$1" in
    src/*.cpp | src/*.h | tests/*.cpp | tests/*.h | bench/*.cpp | bench/*.h | data/*.cpp | data/*.h)
      echo "//" ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | Makefile | *.sh | *.bash | *.py)
      echo "#" ;;
  esac
}

has_line() { # file line
  local first second
  first=$(sed -n 1p "$1")
  second=$(sed -n 2p "$1")
  [[ "$first" == "$2" || ( "$first" == '#!'* && "$second" == "$2" ) ]]
}

missing=()
while IFS= read -r file; do
  [[ -f "$file" && ! -L "$file" ]] || continue
  comment=$(comment_of "$file")
  [[ -n "$comment" ]] || continue
  line="$comment $licence"
  has_line "$file" "$line" && continue
  missing+=("$file")
  [[ $check == yes ]] && continue
  if [[ "$(head -c 2 "$file")" == '#!' ]]; then
    sed -i "1a\\$line" "$file"
  else
    sed -i "1i\\$line" "$file"
  fi
  # An empty file has no first line for sed to put the line before.
  [[ -s "$file" ]] || printf '%s\n' "$line" >"$file"
done < <(list_files | sort)

if [[ $check == yes ]]; then
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Source files without the line '$licence' (scripts/add-spdx.sh adds it):" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
  fi
  echo "every source file carries '$licence'"
else
  echo "added '$licence' to ${#missing[@]} files"
fi
