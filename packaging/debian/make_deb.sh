#!/bin/sh
# Builds tumblix_<version>_amd64.deb from the built programs: the CMake target `deb`, which
# make dist (dist.sh) builds with SOURCE, OUT, VERSION, MAINTAINER and SOURCE_DATE_EPOCH set:
#   make_deb.sh <program file>...
# The files are those of packaging/files.txt (packaging/stage.sh installs them; the programs
# given are the ones it names); Depends comes from the shared libraries the programs really
# load (dpkg-shlibdeps). Every time stamp is SOURCE_DATE_EPOCH and every file belongs to root,
# so the same commit gives the same package.
set -eu
: "${SOURCE:?make_deb.sh: run it through make dist}" "${OUT:?}" "${VERSION:?}" "${MAINTAINER:?}"
: "${SOURCE_DATE_EPOCH:?}"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-deb.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ROOT=$WORK/debian/tumblix
DOC=$ROOT/usr/share/doc/tumblix
sh "$SOURCE/packaging/stage.sh" deb "$ROOT" "$@"
install -d "$ROOT/DEBIAN" "$DOC"

# The copyright file in Debian's machine-readable form, its licence text taken from LICENSE.
holder=$(sed -n 's/^Copyright (c) //p' "$SOURCE/LICENSE")
{
    sed "s/@COPYRIGHT@/$holder/" "$SOURCE/packaging/debian/copyright.in"
    sed '1,/^Copyright (c)/d' "$SOURCE/LICENSE" | sed '1{/^$/d}; s/^$/./; s/^/ /'
} >"$DOC/copyright"
date=$(date -u -R -d "@$SOURCE_DATE_EPOCH")
sed -e "s/@VERSION@/$VERSION/g" -e "s/@MAINTAINER@/$MAINTAINER/" -e "s/@DATE@/$date/" \
    "$SOURCE/packaging/debian/changelog.in" | gzip -9n >"$DOC/changelog.gz"
chmod 644 "$DOC/copyright" "$DOC/changelog.gz"

# dpkg-shlibdeps reads the package names from a debian/control beside the files.
printf 'Source: tumblix\n\nPackage: tumblix\nArchitecture: amd64\n' >"$WORK/debian/control"
# shellcheck disable=SC2046  # the staged paths have no spaces
depends=$(cd "$WORK" && dpkg-shlibdeps -O $(find debian/tumblix/usr -type f -perm -u+x | sort | sed 's/^/-e/') |
    sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "make_deb.sh: dpkg-shlibdeps found no libraries" >&2; exit 1; }
size=$(du -s -k --apparent-size "$ROOT/usr" | cut -f 1)
sed -e "s/@VERSION@/$VERSION/" -e "s/@MAINTAINER@/$MAINTAINER/" -e "s/@INSTALLED_SIZE@/$size/" \
    -e "s/@DEPENDS@/$depends/" "$SOURCE/packaging/debian/control.in" >"$ROOT/DEBIAN/control"
(cd "$ROOT" && find usr -type f | sort | xargs md5sum) >"$ROOT/DEBIAN/md5sums"
chmod 644 "$ROOT/DEBIAN/control" "$ROOT/DEBIAN/md5sums"

find "$ROOT" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$ROOT" "$OUT/tumblix_${VERSION}_amd64.deb" >/dev/null
