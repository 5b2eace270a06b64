#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch root
# and checks that a desktop finds the program, its icon, its desktop entry and
# the group-file types in it.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cd "$build"
cpack -G DEB -B "$scratch/out" >/dev/null
deb=$(ls "$scratch"/out/dravo_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/dravo \
         share/applications/nl.dravo.Dravo.desktop \
         share/mime/packages/nl.dravo.Dravo.xml \
         share/metainfo/nl.dravo.Dravo.metainfo.xml \
         share/icons/hicolor/scalable/apps/nl.dravo.Dravo.svg; do
    [ -s "$root/$f" ] || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/nl.dravo.Dravo.png
    [ -s "$png" ] || fail "missing ${size}px icon"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "${size}px icon has the wrong size"
done
[ -x "$root/bin/dravo" ] || fail "program not executable"
file "$root/bin/dravo" | grep -q ', stripped' || fail "program not stripped"
grep -q '^Exec=dravo %f$' "$root/share/applications/nl.dravo.Dravo.desktop" || fail "Exec line"
# The program opens group files only; the additions type is there for its icon.
grep -qx 'MimeType=application/x-dravo-group;' "$root/share/applications/nl.dravo.Dravo.desktop" ||
    fail "MimeType"
grep -q '<glob pattern="\*.k09"/>' "$root/share/mime/packages/nl.dravo.Dravo.xml" || fail "k09 glob"
grep -q '<glob pattern="\*.k19"/>' "$root/share/mime/packages/nl.dravo.Dravo.xml" || fail "k19 glob"
desktop-file-validate "$root/share/applications/nl.dravo.Dravo.desktop"
appstreamcli validate --no-net "$root/share/metainfo/nl.dravo.Dravo.metainfo.xml" >/dev/null
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "package does not depend on Qt"
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"
