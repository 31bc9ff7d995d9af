#!/usr/bin/env bash
# Makes the Debian package in the build folder given as $1 (cpack -G DEB, as
# a user would), then checks what it installs, its control fields, menu entry,
# AppStream metainfo, changelog, copyright file and manual pages, that lintian
# finds no error in it, and runs the packaged programs from an extracted copy.
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
    ./usr/share/metainfo/org.example.vq530t_link.metainfo.xml \
    ./usr/share/man/man1/vq530t-link.1.gz \
    ./usr/share/man/man1/vq530t-emulator.1.gz \
    ./usr/share/doc/vq530t-link/README.md \
    ./usr/share/doc/vq530t-link/changelog.gz \
    ./usr/share/doc/vq530t-link/copyright; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
grep -qE '^\./usr/lib/([^/]+/)?vq530t-link/vq530t-link-window\.so$' <<<"$contents" ||
    fail "the package lacks the window's module"
outside=$(grep -v '^\./usr/' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# Control fields: the version, the dependencies found in the binaries, and
# the word on serial-port rights.
[ "$(dpkg-deb -f "$deb" Package Version)" = $'Package: vq530t-link\nVersion: 1.0.0' ] ||
    fail "Package/Version: $(dpkg-deb -f "$deb" Package Version)"
package_version=$(dpkg-deb -f "$deb" Version)
grep -qE '^[^<>]+ <[^@ ]+@[^@ ]+>$' <<<"$(dpkg-deb -f "$deb" Maintainer)" ||
    fail "Maintainer is not 'Name <address>': $(dpkg-deb -f "$deb" Maintainer)"
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
# The installed program finds the module it draws with.
printf 'Time(s),Voltage(V),Current(A)\r\n' >"$root/empty.csv"
"$root/usr/bin/vq530t-link" plot "$root/empty.csv" "$root/empty.png" || fail "vq530t-link plot exited $?"
[ "$version" = "VQ530T Link 1.00" ] || fail "vq530t-link --version printed '$version'"
# The emulator opens its pseudo-terminal, names it and ends with its input.
emulator=$(timeout 20 "$root/usr/bin/vq530t-emulator" </dev/null) || fail "vq530t-emulator exited $?"
grep -q '^/dev/' <<<"$emulator" || fail "vq530t-emulator printed '$emulator'"
emulator_version=$("$root/usr/bin/vq530t-emulator" --version) || fail "vq530t-emulator --version exited $?"
[ "$emulator_version" = "vq530t-emulator $package_version" ] ||
    fail "vq530t-emulator --version printed '$emulator_version'"

# The emulator's manual page has an entry for every option and fault mode
# the emulator's help names (entry: the line after .TP, "\-" read as "-").
emulator_manual=$(zcat "$root/usr/share/man/man1/vq530t-emulator.1.gz") || fail "emulator manual page not gzip"
grep -q '^\.TH VQ530T-EMULATOR 1' <<<"$emulator_manual" || fail "emulator manual page"
emulator_help=$("$root/usr/bin/vq530t-emulator" --help) || fail "vq530t-emulator --help exited $?"
options=$(grep -oE -- '--[a-z][a-z-]+' <<<"$emulator_help" | sort -u || true)
modes=$(sed -n 's/^Fault modes: //p' <<<"$emulator_help" | tr -d ',')
[ -n "$options" ] && [ -n "$modes" ] || fail "vq530t-emulator --help names no option or no fault mode"
if [ -n "$emulator_manual" ]; then
    entries=$(grep -A1 -x '\.TP' <<<"$emulator_manual" | tr -d '\\' || true)
    for option in $options; do
        grep -qE -- "^\.B[IR]? (.* )?$option( |\"|$)" <<<"$entries" || fail "the emulator's manual page lacks $option"
    done
    for mode in $modes; do
        grep -qxF -- ".B $mode" <<<"$entries" || fail "the emulator's manual page lacks fault mode $mode"
    done
fi

# AppStream: the metainfo validates (without the network) and describes the
# release the package is.
metainfo=$root/usr/share/metainfo/org.example.vq530t_link.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net"
release=$(grep -oE '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2) || true
[ "$release" = "$package_version" ] || fail "metainfo release '$release', package $package_version"
grep -qF '<launchable type="desktop-id">vq530t-link.desktop</launchable>' "$metainfo" ||
    fail "the metainfo doesn't launch the desktop file"

# The changelog is a Debian changelog whose newest entry is this version, and
# the copyright file names the licence in Debian's machine-readable format.
changelog_version=$(zcat "$root/usr/share/doc/vq530t-link/changelog.gz" | dpkg-parsechangelog -l - -S Version) ||
    fail "changelog.gz is no gzipped Debian changelog"
[ "$changelog_version" = "$package_version" ] ||
    fail "changelog's newest entry is '$changelog_version', package $package_version"
copyright=$root/usr/share/doc/vq530t-link/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$copyright" || fail "copyright file doesn't name GPL-3+"

# What a Debian packager would run first: no error (E:) from lintian.
# Warnings and notes are printed but don't fail the test.
if lintian_output=$(lintian "$deb" 2>&1); then lintian_status=0; else lintian_status=$?; fi
lintian_output=$(grep -v '^running with root privileges' <<<"$lintian_output" || true)
if [ "$lintian_status" -ne 0 ] && [ "$lintian_status" -ne 2 ]; then
    echo "$lintian_output"
    fail "lintian exited $lintian_status"
elif grep -q '^E:' <<<"$lintian_output"; then
    echo "$lintian_output"
    fail "lintian reports errors"
elif [ -n "$lintian_output" ]; then
    echo "lintian, no errors:"
    echo "$lintian_output"
fi

echo "package: $failures failed"
[ "$failures" -eq 0 ]
