#!/usr/bin/env bash
# matfile diff as git's diff driver for material files, set up with the very
# lines that docs/matfile.md gives, in a fresh repository.
#   GitDiffDriverTest.sh MATFILE SOURCE_DIR
set -euo pipefail
matfile=$1
source_dir=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work GIT_CONFIG_NOSYSTEM=1 PATH="$(dirname "$matfile"):$PATH"

readme_line() {
  local line
  line=$(grep -E "^    $1" "$source_dir/docs/matfile.md" | head -n 1 | sed 's/^    //')
  [ -n "$line" ] || { echo "docs/matfile.md has no line like '$1'" >&2; exit 1; }
  printf '%s\n' "$line"
}
attributes=$(readme_line '\*\.mat diff=')
configure=$(readme_line 'git config diff\.matfile\.command ')

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
eval "$configure"
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
