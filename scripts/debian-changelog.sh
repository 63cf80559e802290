#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes CHANGELOG.md as a Debian changelog (the format dpkg-parsechangelog
# and lintian read): one entry a release, newest first. Writes to standard
# output, or to OUTPUT.gz compressed as Debian wants it (gzip -9 -n, no
# name or time stamp). Fails, writing nothing, when the newest release is
# not VERSION, or when a line would pass 80 columns.
#
#   scripts/debian-changelog.sh CHANGELOG.md PACKAGE VERSION "NAME <MAIL>" [OUTPUT.gz]
set -euo pipefail

if [[ $# -ne 4 && $# -ne 5 ]]; then
  echo "usage: $0 CHANGELOG.md PACKAGE VERSION 'NAME <MAIL>' [OUTPUT.gz]" >&2
  exit 2
fi
changelog=$1 package=$2 version=$3 maintainer=$4 output=${5:-}

newest=$(sed -nE 's/^## ([^ ]+) \(([0-9]{4}-[0-9]{2}-[0-9]{2})\)$/\1/p' "$changelog" | head -1)
if [[ "$newest" != "$version" ]]; then
  echo "$changelog: its newest release is '${newest:-none}', not $version; add a heading '## $version (YYYY-MM-DD)'" >&2
  exit 1
fi

# Each release heading starts an entry; "- " starts an item, indented lines
# continue it. The entry's date is its day at midnight, UTC.
text=$(awk -v package="$package" -v maintainer="$maintainer" '
  function close_entry() {
    if (open) {
      cmd = "date -u -R -d " day
      cmd | getline stamp
      close(cmd)
      printf "\n -- %s  %s\n", maintainer, stamp
      open = 0
    }
  }
  function emit(text) {
    if (length(text) > 80) {
      printf "line %d is longer than 80 columns in the Debian changelog: %s\n", NR, text > "/dev/stderr"
      failed = 1
    }
    print text
  }
  /^## [^ ]+ \([0-9-]+\)$/ {
    close_entry()
    if (entries++) print ""
    day = substr($3, 2, 10)
    printf "%s (%s) unstable; urgency=medium\n\n", package, $2
    open = 1
    next
  }
  !open { next }
  /^- / { emit("  * " substr($0, 3)); next }
  /^  [^ ]/ { emit("    " substr($0, 3)); next }
  /^[ \t]*$/ { next }
  { printf "line %d of a release is neither an item nor its continuation: %s\n", NR, $0 > "/dev/stderr"; failed = 1 }
  END { close_entry(); exit failed }
' "$changelog")
if [[ -z $output ]]; then
  printf '%s\n' "$text"
else
  printf '%s\n' "$text" | gzip -9 -n >"$output.part"
  mv "$output.part" "$output"
fi
