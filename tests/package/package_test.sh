#!/usr/bin/env bash
# Makes the Debian package in the build folder given as $1 (cpack -G DEB, as
# a user would), then checks what it installs, its control fields and menu
# entry, and runs the packaged program from an extracted copy.
set -euo pipefail
cd "$1"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -f vq530t-link_*.deb
if ! cpack -G DEB >package-cpack.log 2>&1; then
    cat package-cpack.log
    echo "FAIL: cpack -G DEB"
    exit 1
fi
deb=vq530t-link_1.0.0_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls vq530t-link_*.deb; echo "FAIL: no $deb"; exit 1; }

# Every file the package installs, and nothing outside /usr.
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }')
for path in \
    ./usr/bin/vq530t-link \
    ./usr/bin/vq530t-emulator \
    ./usr/share/applications/vq530t-link.desktop \
    ./usr/share/icons/hicolor/scalable/apps/vq530t-link.svg \
    ./usr/share/icons/hicolor/48x48/apps/vq530t-link.png \
    ./usr/share/icons/hicolor/128x128/apps/vq530t-link.png \
    ./usr/share/icons/hicolor/256x256/apps/vq530t-link.png \
    ./usr/share/man/man1/vq530t-link.1.gz \
    ./usr/share/doc/vq530t-link/README.md; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
outside=$(grep -v '^\./usr/' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# Control fields: the version, the dependencies found in the binaries, and
# the word on serial-port rights.
[ "$(dpkg-deb -f "$deb" Package Version)" = $'Package: vq530t-link\nVersion: 1.0.0' ] ||
    fail "Package/Version: $(dpkg-deb -f "$deb" Package Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6serialport6 libc6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
description=$(dpkg-deb -f "$deb" Description)
grep -q 'dialout group' <<<"$description" || fail "the description doesn't name the dialout group"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/vq530t-link.desktop" || fail "desktop-file-validate"
grep -qx 'Categories=Utility;Electronics;' "$root/usr/share/applications/vq530t-link.desktop" ||
    fail "menu categories"
for size in 48 128 256; do
    kind=$(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/vq530t-link.png")
    grep -q "PNG image data, $size x $size," <<<"$kind" || fail "icon at $size pixels: $kind"
done
manual=$(zcat "$root/usr/share/man/man1/vq530t-link.1.gz") || fail "manual page not gzip"
grep -q '^\.TH VQ530T-LINK 1' <<<"$manual" || fail "manual page"

version=$("$root/usr/bin/vq530t-link" --version) || fail "vq530t-link --version exited $?"
[ "$version" = "VQ530T Link 1.00" ] || fail "vq530t-link --version printed '$version'"
# The emulator opens its pseudo-terminal, names it and ends with its input.
emulator=$(timeout 20 "$root/usr/bin/vq530t-emulator" </dev/null) || fail "vq530t-emulator exited $?"
grep -q '^/dev/' <<<"$emulator" || fail "vq530t-emulator printed '$emulator'"

echo "package: $failures failed"
[ "$failures" -eq 0 ]
