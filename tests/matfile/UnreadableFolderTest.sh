#!/usr/bin/env bash
# import from a tree of cards one folder of which cannot be listed: without
# --skip-invalid nothing is written; with it the rest comes in, the folder is
# named, and the exit code says that something is missing. Root lists any
# folder, so as root the import runs as the user nobody.
#   UnreadableFolderTest.sh MATFILE
set -euo pipefail
matfile=$1

work=$(mktemp -d)
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
mkdir -p "$work/cards/ok" "$work/cards/locked"
printf '[FCMat]\nName = Steel\nDensity = 7.85 g/cm^3\n' >"$work/cards/ok/steel.FCMat"
cp "$work/cards/ok/steel.FCMat" "$work/cards/locked/hidden.FCMat"
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null || exit 77
  chmod 755 "$work"
  chown -R 65534:65534 "$work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 000 "$work/cards/locked"

fail() {
  echo "$1" >&2
  printf -- '--- stdout\n%s\n--- stderr\n%s\n' "$(cat "$work/out")" "$(cat "$work/err")" >&2
  exit 1
}
import() {
  status=0
  "${as_user[@]}" "$matfile" import "$work/cards" --into "$work/zodo.mat" "$@" \
    >"$work/out" 2>"$work/err" || status=$?
}

import
[ "$status" = 1 ] || fail "exit $status, not 1"
grep -q "^matfile: cannot read folder $work/cards/locked: " "$work/err" || fail "folder not named"
[ ! -e "$work/zodo.mat" ] || fail "written without --skip-invalid"

import --skip-invalid
[ "$status" = 1 ] || fail "--skip-invalid: exit $status, not 1"
grep -q ": 1 appended," "$work/out" || fail "--skip-invalid: the readable card not appended"
grep -q "^matfile: note: cannot read folder $work/cards/locked: .*; the cards in it are left out" \
  "$work/err" || fail "--skip-invalid: folder not named"
