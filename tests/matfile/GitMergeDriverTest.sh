#!/usr/bin/env bash
# matfile merge as git's merge driver, set up with the very lines that the
# manual gives, in a fresh repository with two branches: a clean merge and a
# conflicting one.
#   GitMergeDriverTest.sh MATFILE SOURCE_DIR
set -euo pipefail
matfile=$1
source_dir=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work GIT_CONFIG_NOSYSTEM=1 PATH="$(dirname "$matfile"):$PATH"

manual_line() {
  local line
  line=$(grep -E "^    $1" "$source_dir/docs/matfile.md" | head -n 1 | sed 's/^    //')
  [ -n "$line" ] || { echo "the manual has no line like '$1'" >&2; exit 1; }
  printf '%s\n' "$line"
}
attributes=$(manual_line '\*\.mat diff=matfile merge=')
merge_name=$(manual_line 'git config --global merge\.matfile\.name ')
merge_driver=$(manual_line 'git config --global merge\.matfile\.driver ')

fail() {
  echo "$1" >&2
  printf -- '--- got\n%s\n' "$2" >&2
  exit 1
}

cd "$work"
git init -q -b main library
cd library
git config user.name Tester
git config user.email tester@example.org
printf '%s\n' "$attributes" >.gitattributes
# The manual's lines name matfile by the variable its first line sets.
eval "$merge_name"
eval "$merge_driver"
cp "$source_dir/examples/zodo.mat" zodo.mat
git add .gitattributes zodo.mat
git commit -q -m sample

# Two engineers change neighbouring lines: a text merge would conflict.
git checkout -q -b theirs
sed -i -e '4s/ 235 / 245 /' zodo.mat
printf '*PEEK\r\n 1.3 3.6 0.4 95 100 0.25 4.7 1340\r\n' >>zodo.mat
git commit -q -am "theirs: yield strength, PEEK"
git checkout -q main
sed -i -e '4s/ 360 / 370 /' zodo.mat
git commit -q -am "ours: tensile strength"
git merge -q --no-edit theirs >/dev/null 2>&1 || fail "a clean merge failed" "$(git status)"
got=$(matfile list zodo.mat | grep -E '^(Structural steel S235JR|PEEK)' | cut -f1,5,6)
[ "$got" = $'Structural steel S235JR\t245\t370\nPEEK\t95\t100' ] ||
  fail "the clean merge lost a change" "$got"

# Both change the same value: a conflict, both versions kept, the merge stops.
git checkout -q -b theirs2
sed -i -e '4s/ 245 / 255 /' zodo.mat
git commit -q -am "theirs: 255"
git checkout -q main
sed -i -e '4s/ 245 / 265 /' zodo.mat
git commit -q -am "ours: 265"
if output=$(git merge --no-edit theirs2 2>&1); then fail "a conflict merged" "$output"; fi
case "$output" in
  *'conflict "Structural steel S235JR"'*) ;;
  *) fail "the conflict is not reported" "$output" ;;
esac
got=$(matfile list zodo.mat | grep '^Structural steel S235JR' | cut -f1,5)
[ "$got" = $'Structural steel S235JR (ours)\t265\nStructural steel S235JR (theirs)\t255' ] ||
  fail "the conflict did not keep both versions" "$got"
git status --short | grep -q '^UU zodo.mat$' || fail "git does not show the conflict" "$(git status)"
echo "git runs matfile merge for material files"
