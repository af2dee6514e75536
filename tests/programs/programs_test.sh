#!/usr/bin/env bash
# The programs as a user or a package meets them: each prints the project's version,
# and the window program answers --help and checks its picture files without a
# display, also when started through a link as /usr/bin/lumo is one.
# usage: programs_test.sh BIN_DIR VERSION
set -euo pipefail
bin=$(cd "$1" && pwd)
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }

for program in lumo lumo-cli tarn-sim; do
    out=$(headless "$bin/$program" --version) || fail "$program --version exited $?"
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
done

out=$(headless "$bin/lumo" --help) || fail "lumo --help exited $?"
for expected in '^Usage: lumo ' 'Vantor/Lumo\.conf' 'Lumo/backups' '--check-files'; do
    grep -qe "$expected" <<< "$out" || fail "lumo --help lacks '$expected'"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$bin/lumo" "$scratch/lumo"
out=$(headless "$scratch/lumo" --check-files) || fail "lumo --check-files through a link: $out"
grep -qF "$bin/Spl.dat: " <<< "$out" || fail "the splash was not looked for in $bin: $out"
grep -qF "$bin/bkg.dat: " <<< "$out" || fail "the background was not looked for in $bin: $out"
echo "programs: versions, help and picture check as expected"
