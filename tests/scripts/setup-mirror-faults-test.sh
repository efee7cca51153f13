#!/bin/bash
# scripts/setup.sh against a package mirror in the middle of a sync: the index
# update fails once, then reads all but one index; wine32:i386 cannot be
# installed, from any suite. The set-up must finish, say what it skipped, and
# install everything else. A package the build needs that cannot be installed
# must stop it, named. apt-get, dpkg and friends are fakes on PATH that keep
# a journal of what they were asked.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the script in a project folder whose axe-core is already there.
mkdir -p "$work/project/scripts" "$work/project/build/axe/node_modules/axe-core" "$work/bin"
cp "$source_dir/scripts/setup.sh" "$work/project/scripts/"
version=$(grep -o 'AXE_VERSION=[0-9.]*' "$source_dir/scripts/setup.sh" | cut -d= -f2)
touch "$work/project/build/axe/node_modules/axe-core/axe.min.js"
echo "{ \"version\": \"$version\" }" >"$work/project/build/axe/node_modules/axe-core/package.json"

fake() { printf '#!/bin/bash\n%s\n' "$2" >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
fake id 'echo 0'
fake dpkg-query 'exit 1'  # nothing installed
fake dpkg 'echo i386'
fake locale 'printf "ja_JP.utf8\nen_US.utf8\n"'
fake sleep 'exit 0'
# update: fails outright the first time, then with one index missing (100).
# install: refuses any request that includes wine32:i386 or $REFUSED.
fake apt-get '
echo "$*" >>"$JOURNAL"
if [ "$1" = update ]; then
  count=$(grep -c "^update" "$JOURNAL")
  [ "$count" -gt 1 ] && echo "E: Some index files failed to download." >&2
  exit 100
fi
for arg in "$@"; do
  if [ "$arg" = wine32:i386 ] || [ "$arg" = "${REFUSED:-none}" ]; then
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100
  fi
done
exit 0'

run_setup() {
  : >"$work/journal"
  JOURNAL="$work/journal" PATH="$work/bin:$PATH" bash "$work/project/scripts/setup.sh" >"$work/out" 2>&1
}
fail() { echo "FAIL: $1"; cat "$work/out"; exit 1; }

run_setup || fail "the set-up stopped although only wine32:i386 was refused"
grep -q "some package indexes could not be read" "$work/out" || fail "no word about the unread indexes"
grep -q "wine32:i386 could not be installed; the i686 Windows tests will report themselves skipped" "$work/out" ||
  fail "no word about the skipped i686 tests"
grep -q "all packages present" "$work/out" || fail "did not finish"
[ "$(grep -c '^update' "$work/journal")" = 3 ] || fail "the update was not tried three times"
grep -q "^install .*wine64 .*chromium" "$work/journal" || fail "the other packages were not installed together"

REFUSED=chromium run_setup && fail "a refused chromium went unnoticed"
grep -q "could not install chromium, which the build and tests need" "$work/out" || fail "chromium not named"
echo "PASS"
