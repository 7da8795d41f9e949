#!/usr/bin/env bash
# cmake --install of a build tree, as a user runs it: matfile lands in bin/,
# runs from there by its name alone, and man finds its page.
#   InstallTest.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/matfile" ] || { echo "no bin/matfile in the installed tree" >&2; exit 1; }
version=$(PATH="$prefix/bin:/usr/bin:/bin" matfile --version)
[[ $version == "matfile "[0-9]* ]] || { echo "matfile --version said '$version'" >&2; exit 1; }
page=$(MANPATH="$prefix/share/man" man -w matfile)
[ "$page" = "$prefix/share/man/man1/matfile.1" ] || { echo "man found '$page'" >&2; exit 1; }
# Nothing but the program and its page: an install must not spread test programs.
extra=$(cd "$prefix" && find . -type f ! -path ./bin/matfile ! -path ./share/man/man1/matfile.1)
[ -z "$extra" ] || { echo "installed besides: $extra" >&2; exit 1; }
echo "cmake --install puts matfile and its manual page in place"
