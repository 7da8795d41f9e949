#!/usr/bin/env bash
# export meeting the system's own failures part way: standard output on a full
# disk (/dev/full), and a document that outgrows the largest file this process
# may write (ulimit -f, with the signal ignored, makes write fail with EFBIG
# as a full disk makes it fail with ENOSPC). Each exits 2 and names where; the
# document's file is left as it was.
#   ExportFullDiskTest.sh MATFILE
set -euo pipefail
matfile=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  echo '; materials'
  for i in $(seq 1 2000); do printf '*Material %d\n 7.85 210 0.3 235 360 50 1.2 460\n' "$i"; done
} >"$work/a.mat"

fail() {
  echo "$1" >&2
  cat "$work/err" >&2
  exit 1
}

for format in csv matml; do
  status=0
  "$matfile" export "$work/a.mat" --format "$format" >/dev/full 2>"$work/err" || status=$?
  [ "$status" = 2 ] || fail "$format to /dev/full: exit $status, not 2"
  grep -q "^matfile: cannot write standard output: " "$work/err" || fail "$format: not said"

  echo old >"$work/out.$format"
  status=0
  (
    trap '' XFSZ
    ulimit -f 64
    exec "$matfile" export "$work/a.mat" --format "$format" --output "$work/out.$format"
  ) 2>"$work/err" || status=$?
  [ "$status" = 2 ] || fail "$format past ulimit -f: exit $status, not 2"
  grep -q "^matfile: cannot write $work/out.$format: File too large (it is left as it was)$" \
    "$work/err" || fail "$format: path and reason not said"
  [ "$(cat "$work/out.$format")" = old ] || fail "$format: the file is not left as it was"
  [ "$(ls "$work" | tr '\n' ' ')" = "a.mat err out.$format " ] || fail "$format: left: $(ls "$work")"
  rm "$work/out.$format"
done
