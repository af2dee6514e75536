#!/usr/bin/env bash
# `make package-check`: builds the Debian package and checks it as a user's machine
# meets it: the desktop entry and AppStream data validate, the package holds the
# programs and nothing else of the build, the cable rule covers the common cable chips,
# the unpacked programs run (the window program finding its pictures through
# /usr/bin/lumo, with no display), and the man pages render without warnings.
# usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
app_id=com.vantor.Lumo

passed=0
fail() { echo "package-check: FAIL: $*" >&2; exit 1; }
say() { passed=$((passed + 1)); echo "package-check: $*"; }
headless() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$@"; }

cmake --build "$build" --target package > "$build/package.log" 2>&1 ||
    { cat "$build/package.log"; fail "cpack failed"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/lumo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"
say "built $(basename "$deb")"

# Validators print their findings; any finding fails the check.
out=$(desktop-file-validate "$here/packaging/$app_id.desktop" 2>&1) && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
usr="$root/usr"

out=$(appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
! grep -qE '^[EWI]:' <<< "$out" || fail "appstreamcli validate: $out"
out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli validate-tree: $out"
say "desktop entry and AppStream data valid"

# Exactly what belongs to an installed Lumo, nothing of the build's tools or tests.
expected="usr/bin/lumo -> ../lib/lumo/lumo
usr/bin/lumo-cli
usr/bin/tarn-sim
usr/lib/lumo/Spl.dat
usr/lib/lumo/bkg.dat
usr/lib/lumo/lumo
usr/lib/udev/rules.d/60-lumo-cables.rules
usr/share/applications/$app_id.desktop
usr/share/bash-completion/completions/lumo-cli
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/16x16/apps/$app_id.png
usr/share/icons/hicolor/256x256/apps/$app_id.png
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/man/man1/lumo-cli.1.gz
usr/share/man/man1/lumo.1.gz
usr/share/man/man1/tarn-sim.1.gz
usr/share/metainfo/$app_id.metainfo.xml"
held=$(cd "$root" && find . -type l -printf '%P -> %l\n' -o -type f -printf '%P\n' | LC_ALL=C sort)
[ "$held" = "$(LC_ALL=C sort <<< "$expected")" ] ||
    fail "the package holds something else:$(diff <(LC_ALL=C sort <<< "$expected") <(echo "$held"))"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo; do
    grep -q "$library" <<< "$depends" || fail "Depends lacks $library: $depends"
done
say "files and dependencies as expected"

# The cable rule names every chip the advice promises, for the desktop user and not
# for ModemManager.
rule="$root/usr/lib/udev/rules.d/60-lumo-cables.rules"
for chip in 1a86:7523 1a86:5523 10c4:ea60 067b:2303 067b:23a3 0403:6001 0403:6015; do
    grep -q "ATTRS{idVendor}==\"${chip%:*}\", ATTRS{idProduct}==\"${chip#*:}\"" "$rule" ||
        fail "the cable rule lacks $chip"
done
grep -qF 'TAG+="uaccess", ENV{ID_MM_DEVICE_IGNORE}="1"' "$rule" || fail "the cable rule grants nothing"
say "the cable rule covers the common programming cables"

for program in lumo-cli tarn-sim lumo; do
    out=$(headless "$usr/bin/$program" --version) || fail "$program --version exited $?"
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
    headless "$usr/bin/$program" --help > /dev/null || fail "$program --help exited $?"
done
grep -aq "$app_id" "$usr/lib/lumo/lumo" || fail "lumo does not name its desktop entry $app_id"

out=$(headless "$usr/bin/lumo" --check-files) || fail "lumo --check-files: $out"
grep -qF "$usr/lib/lumo/Spl.dat: " <<< "$out" && grep -qF "$usr/lib/lumo/bkg.dat: " <<< "$out" ||
    fail "lumo did not find its pictures in $usr/lib/lumo: $out"
# A damaged picture must fail the check, or the check proves nothing.
truncate -s 100 "$usr/lib/lumo/bkg.dat"
if out=$(headless "$usr/bin/lumo" --check-files); then
    fail "lumo --check-files passed a damaged bkg.dat: $out"
fi
say "unpacked programs run; lumo finds its pictures in usr/lib/lumo"

for page in "$usr"/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null) ||
        fail "man -l $(basename "$page") failed: $warnings"
    [ -z "$warnings" ] || fail "man -l $(basename "$page"): $warnings"
done
say "man pages render without warnings"
echo "package-check: all $passed checks passed"
