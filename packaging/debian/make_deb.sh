#!/bin/sh
# Builds tumblix_<version>_amd64.deb from the built programs: the CMake target `deb`, which
# make dist (dist.sh) builds with SOURCE, OUT, VERSION, MAINTAINER and SOURCE_DATE_EPOCH set:
#   make_deb.sh <tumblix binary> <tumblix-xscreensaver binary> <tumblix-wayland binary>
#               <tumblix-idle binary>
# tumblix hands over to tumblix-wayland in a Wayland session and finds it in
# /usr/libexec/tumblix, beside its own /usr/bin.
# The programs are stripped as Debian strips them; Depends comes from the shared libraries the
# programs really load (dpkg-shlibdeps). Every time stamp is SOURCE_DATE_EPOCH and every file
# belongs to root, so the same commit gives the same package.
set -eu
: "${SOURCE:?make_deb.sh: run it through make dist}" "${OUT:?}" "${VERSION:?}" "${MAINTAINER:?}"
: "${SOURCE_DATE_EPOCH:?}"
BINARY=$1
HELPER=$2
WAYLAND_BINARY=$3
IDLE_BINARY=$4
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-deb.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ROOT=$WORK/debian/tumblix
DOC=$ROOT/usr/share/doc/tumblix
install -d "$ROOT/DEBIAN" "$ROOT/usr/bin" "$ROOT/usr/libexec/xscreensaver" "$ROOT/usr/libexec/tumblix" \
    "$ROOT/usr/share/xscreensaver/config" "$ROOT/usr/share/man/man6" "$ROOT/usr/share/man/man1" "$DOC"

strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    -o "$ROOT/usr/bin/tumblix" "$BINARY"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    -o "$ROOT/usr/bin/tumblix-xscreensaver" "$HELPER"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    -o "$ROOT/usr/libexec/tumblix/tumblix-wayland" "$WAYLAND_BINARY"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    -o "$ROOT/usr/bin/tumblix-idle" "$IDLE_BINARY"
chmod 755 "$ROOT/usr/bin/tumblix" "$ROOT/usr/bin/tumblix-xscreensaver" \
    "$ROOT/usr/libexec/tumblix/tumblix-wayland" "$ROOT/usr/bin/tumblix-idle"
# xscreensaver puts this folder on the PATH of the programs it starts.
ln -s ../../bin/tumblix "$ROOT/usr/libexec/xscreensaver/tumblix"
install -m 644 "$SOURCE/platform/x11/tumblix.xml" "$ROOT/usr/share/xscreensaver/config/"
gzip -9n <"$SOURCE/platform/x11/tumblix.6" >"$ROOT/usr/share/man/man6/tumblix.6.gz"
gzip -9n <"$SOURCE/tools/xscreensaver/tumblix-xscreensaver.1" >"$ROOT/usr/share/man/man1/tumblix-xscreensaver.1.gz"
gzip -9n <"$SOURCE/tools/idle/tumblix-idle.6" >"$ROOT/usr/share/man/man6/tumblix-idle.6.gz"

# The copyright file in Debian's machine-readable form, its licence text taken from LICENSE.
holder=$(sed -n 's/^Copyright (c) //p' "$SOURCE/LICENSE")
{
    sed "s/@COPYRIGHT@/$holder/" "$SOURCE/packaging/debian/copyright.in"
    sed '1,/^Copyright (c)/d' "$SOURCE/LICENSE" | sed '1{/^$/d}; s/^$/./; s/^/ /'
} >"$DOC/copyright"
date=$(date -u -R -d "@$SOURCE_DATE_EPOCH")
sed -e "s/@VERSION@/$VERSION/g" -e "s/@MAINTAINER@/$MAINTAINER/" -e "s/@DATE@/$date/" \
    "$SOURCE/packaging/debian/changelog.in" | gzip -9n >"$DOC/changelog.gz"
chmod 644 "$DOC/copyright" "$DOC/changelog.gz" "$ROOT/usr/share/man/man6/tumblix.6.gz" \
    "$ROOT/usr/share/man/man1/tumblix-xscreensaver.1.gz" "$ROOT/usr/share/man/man6/tumblix-idle.6.gz"

# dpkg-shlibdeps reads the package names from a debian/control beside the files.
printf 'Source: tumblix\n\nPackage: tumblix\nArchitecture: amd64\n' >"$WORK/debian/control"
depends=$(cd "$WORK" && dpkg-shlibdeps -O -edebian/tumblix/usr/bin/tumblix \
    -edebian/tumblix/usr/bin/tumblix-xscreensaver \
    -edebian/tumblix/usr/libexec/tumblix/tumblix-wayland -edebian/tumblix/usr/bin/tumblix-idle | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "make_deb.sh: dpkg-shlibdeps found no libraries" >&2; exit 1; }
size=$(du -s -k --apparent-size "$ROOT/usr" | cut -f 1)
sed -e "s/@VERSION@/$VERSION/" -e "s/@MAINTAINER@/$MAINTAINER/" -e "s/@INSTALLED_SIZE@/$size/" \
    -e "s/@DEPENDS@/$depends/" "$SOURCE/packaging/debian/control.in" >"$ROOT/DEBIAN/control"
(cd "$ROOT" && find usr -type f | sort | xargs md5sum) >"$ROOT/DEBIAN/md5sums"
chmod 644 "$ROOT/DEBIAN/control" "$ROOT/DEBIAN/md5sums"

find "$ROOT" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$ROOT" "$OUT/tumblix_${VERSION}_amd64.deb" >/dev/null
