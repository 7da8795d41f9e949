#!/usr/bin/env bash
# matfile diff as git's diff driver for material files, set up with the very
# lines that the manual gives, in a fresh repository. The program lies where
# the PATH does not lead, in a folder whose name holds a blank, as an install
# on Windows does: the driver must name it by its full path.
#   GitDiffDriverTest.sh MATFILE SOURCE_DIR MANUAL
set -euo pipefail
built=$1
source_dir=$2
manual=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Program Files/bin"
cp "$built" "$work/Program Files/bin/matfile"
export HOME=$work GIT_CONFIG_NOSYSTEM=1 PATH="$(dirname "$(command -v git)"):/usr/bin:/bin"
if command -v matfile >/dev/null; then
  echo "matfile is installed on the PATH ($(command -v matfile)), so the test cannot show that" \
       "the driver needs no PATH; skipped" >&2
  exit 77
fi

manual_line() {
  local line
  line=$(grep -E "^    $1" "$manual" | head -n 1 | sed 's/^    //')
  [ -n "$line" ] || { echo "$manual has no line like '$1'" >&2; exit 1; }
  printf '%s\n' "$line"
}
attributes=$(manual_line '\*\.mat diff=')
configure=$(manual_line 'git config --global diff\.matfile\.command ')
merge_name=$(manual_line 'git config --global merge\.matfile\.name ')
merge_driver=$(manual_line 'git config --global merge\.matfile\.driver ')
manual_line 'matfile=/' >/dev/null

fail() {
  echo "$1" >&2
  printf -- '--- got\n%s\n' "$2" >&2
  exit 1
}

cd "$work"
git init -q library
cd library
git config user.name Tester
git config user.email tester@example.org
printf '%s\n' "$attributes" >.gitattributes
matfile="$work/Program Files/bin/matfile"
eval "$configure"
eval "$merge_name"
eval "$merge_driver"
[ "$(git config merge.matfile.driver)" = "\"$matfile\" merge %O %A %B --output %A" ] ||
  fail "the merge driver does not name matfile by its full path" "$(git config merge.matfile.driver)"
cp "$source_dir/examples/zodo.mat" zodo.mat
git add .gitattributes zodo.mat
git commit -q -m sample

# Yield strength of the first material raised, the brass taken out.
sed -i -e '4s/ 235 / 245 /' -e '/^\*Brass/,+1d' zodo.mat
got=$(git diff)
expected='matfile diff a/zodo.mat b/zodo.mat
removed "Brass CuZn39Pb3" (line 17)
changed "Structural steel S235JR" (line 3)
  yield strength: 235 -> 245 [MPa]'
[ "$got" = "$expected" ] || fail "git diff does not show the material diff" "$got"

git commit -q -am changed
got=$(git log -p --ext-diff -1 --format=%s)
[ "$got" = "changed

$expected" ] || fail "git log -p --ext-diff does not show the material diff" "$got"

# A new file is compared with nothing: every material added.
printf '*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n' >new.mat
git add new.mat
got=$(git diff --cached)
[ "$got" = 'matfile diff a/new.mat b/new.mat
added "PTFE" (line 1)' ] || fail "git diff --cached does not show the new file" "$got"

# The line diff is still there when asked for.
git diff --cached --no-ext-diff | grep -q '^+\*PTFE$' || fail "no line diff" "$(git diff --cached --no-ext-diff)"
echo "git runs matfile diff for material files"
