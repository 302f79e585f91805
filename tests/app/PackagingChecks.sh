#!/bin/sh
# Quick checks of what the Debian package ships, run by CTest; each skips
# (status 77) when its tool is not installed.
#   PackagingChecks.sh metainfo  METAINFO SOURCE_DIR
#   PackagingChecks.sh desktop   SOURCE_DIR WORK_DIR
#   PackagingChecks.sh manpages  SOURCE_DIR PROGRAM
#   PackagingChecks.sh version   SOURCE_DIR PROGRAM VERSION
set -u
fail() {
  echo "FAILED: $*"
  exit 1
}
need() {
  command -v "$1" >/dev/null 2>&1 || { echo "SKIPPED: $1 is not installed"; exit 77; }
}

case "$1" in
metainfo)
  metainfo=$2 src=$3
  need appstreamcli
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  # Every screenshot names a picture of the tree by its path there.
  urls=$(sed -n 's|.*<image>[a-z]*://[^/]*/\(.*\)</image>.*|\1|p' "$metainfo")
  [ -n "$urls" ] || fail "no screenshots in $metainfo"
  for path in $urls; do
    [ -f "$src/$path" ] || fail "screenshot $path is not in the tree"
  done
  ;;
desktop)
  src=$2 work=$3
  need desktop-file-validate
  need update-mime-database
  rm -rf "$work"
  mkdir -p "$work/mime/packages"
  sed 's|@ZEMRA_PROGRAM@|/usr/games/zemra|' "$src/resources/zemra.desktop.in" > "$work/zemra.desktop"
  desktop-file-validate "$work/zemra.desktop" || fail "desktop-file-validate"
  # The GIB type is ours; the entry's SGF type must be the database's own.
  cp "$src/resources/zemra-mime.xml" "$work/mime/packages/"
  update-mime-database "$work/mime" || fail "update-mime-database"
  grep -qx 'application/x-go-gib:\*\.gib' "$work/mime/globs" || fail "*.gib is not application/x-go-gib"
  for type in $(sed -n 's/^MimeType=//p' "$work/zemra.desktop" | tr ';' ' '); do
    grep -qs "type=\"$type\"" "$src/resources/zemra-mime.xml" /usr/share/mime/packages/freedesktop.org.xml ||
      fail "no MIME database defines $type"
  done
  ;;
manpages)
  src=$2 program=$3
  need man
  for page in "$src/resources/man/zemra.6" "$src/resources/man/zemra.zh_CN.6"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    # Every option of --help, and the network port, are in both pages.
    for option in $(env -u DISPLAY "$program" --help | sed -n 's/^  \(-[-a-z, ]*\)  .*/\1/p' | tr ',' ' ') 5058; do
      grep -qF -- "$(printf '%s' "$option" | sed 's/-/\\-/g')" "$page" || fail "$page does not tell of $option"
    done
  done
  ;;
version)
  src=$2 program=$3 version=$4
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version 2>&1)
  [ "$out" = "Zemra $version" ] || fail "--version printed '$out', not 'Zemra $version'"
  changelog=$(sed -n '1s/^zemra (\([^)]*\)).*/\1/p' "$src/debian/changelog")
  [ "$changelog" = "$version" ] || fail "debian/changelog is at '$changelog', CMake at '$version'"
  ;;
*)
  fail "unknown check $1"
  ;;
esac
echo "passed"
