#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what a user gets: both
# programs, the desktop entry, the icons at every size, the metainfo, the
# manual pages (naming every verb of sweepora-cli) and the user guide with
# every picture it shows.
#
#   tests/install/check-install-tree.sh BUILD_DIR
set -euo pipefail

build_dir=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
errors=0
fail() {
  echo "FAILED: $*" >&2
  errors=$((errors + 1))
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

expected=(
  bin/sweepora
  bin/sweepora-cli
  share/applications/sweepora.desktop
  share/icons/hicolor/scalable/apps/sweepora.svg
  share/metainfo/org.sweepora.Sweepora.metainfo.xml
  share/man/man1/sweepora.1.gz
  share/man/man1/sweepora-cli.1.gz
  share/doc/sweepora/guide.html
  share/doc/sweepora/copyright
  share/doc/sweepora/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/sweepora.png")
done
for file in "${expected[@]}"; do
  [[ -f "$prefix/$file" ]] || fail "not installed: $file"
done
for program in sweepora sweepora-cli; do
  [[ -x "$prefix/bin/$program" ]] || fail "not executable: bin/$program"
done

# Each PNG icon is a picture of its own size.
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/sweepora.png
  [[ -f $png ]] || continue
  file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png is not a ${size}x${size} PNG: $(file -b "$png")"
done

desktop-file-validate "$prefix/share/applications/sweepora.desktop" || fail "desktop-file-validate refused the desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.sweepora.Sweepora.metainfo.xml" >"$root/appstream.log" 2>&1 \
  || { cat "$root/appstream.log" >&2; fail "appstreamcli refused the metainfo"; }

# Every local picture and link of the guide is installed beside it.
guide=$prefix/share/doc/sweepora/guide.html
refs=$( { grep -oE '(src|href)="[^"#:]+"' "$guide" || true; } | sed -E 's/^(src|href)="//; s/"$//' | sort -u)
for ref in $refs; do
  [[ -f "$(dirname "$guide")/$ref" ]] || fail "the guide refers to $ref, which is not installed"
done
grep -q '<img ' "$guide" || fail "the guide shows no screenshot"

# The manual page names every verb that sweepora-cli --help lists, and the
# version of the programs.
man_cli=$root/sweepora-cli.1
gzip -dc "$prefix/share/man/man1/sweepora-cli.1.gz" >"$man_cli"
verbs=$("$prefix/bin/sweepora-cli" --help | sed -n '/^Verbs:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[[ -n "$verbs" ]] || fail "sweepora-cli --help lists no verbs"
for verb in $verbs; do
  grep -qE "^\.BI? \"?$verb( |\"|$)" "$man_cli" || fail "sweepora-cli.1 has no entry for the verb '$verb'"
done
version=$("$prefix/bin/sweepora-cli" --version | awk '{ print $2 }')
for page in sweepora sweepora-cli; do
  gzip -dc "$prefix/share/man/man1/$page.1.gz" | head -1 | grep -qF "\"Sweepora $version\"" \
    || fail "$page.1 does not name version $version"
done

# The copyright file is in the machine-readable format and names the licence;
# the changelog is a Debian changelog whose newest entry is this version.
copyright=$prefix/share/doc/sweepora/copyright
if [[ -f $copyright ]]; then
  head -1 "$copyright" | grep -qF "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    || fail "the copyright file is not in the machine-readable format"
  grep -q '^License: GPL-3+$' "$copyright" || fail "the copyright file names no GPL-3+ licence"
fi
changelog=$prefix/share/doc/sweepora/changelog.gz
if [[ -f $changelog ]]; then
  changelog_version=$(gzip -dc "$changelog" | dpkg-parsechangelog -l - -S Version 2>/dev/null || true)
  [[ "$changelog_version" == "$("$prefix/bin/sweepora-cli" --version | awk '{ print $2 }')" ]] \
    || fail "changelog.gz names version '$changelog_version', not the programs' version"
fi

if [[ $errors -ne 0 ]]; then
  exit 1
fi
echo "install tree complete: ${#expected[@]} files, desktop entry and metainfo valid, ${verbs//$'\n'/ } in the manual"
