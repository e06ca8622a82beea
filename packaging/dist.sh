#!/bin/sh
# make dist: the six downloads of a release, written afresh into the output folder:
#   dist.sh <Linux build folder> <Windows build folder> <output folder>
# The programs come from the two build folders, the source archive from the last commit (or,
# in an unpacked source archive, from the files as they are).
# The release number is the one the Linux build wrote into its numbers.sh (from the project()
# call of CMakeLists.txt); every time stamp inside the files is the last commit's time
# (SOURCE_DATE_EPOCH). The packaging steps get SOURCE, OUT, VERSION, MAINTAINER and
# SOURCE_DATE_EPOCH from here: make_windows.sh with a scratch folder, the .deb and the RPM as
# the Linux build's CMake targets `deb` and `rpm` (packaging/CMakeLists.txt).
set -eu
LINUX_BUILD=$1
WINDOWS_BUILD=$2
OUT=$3
SOURCE=$(cd "$(dirname "$0")/.." && pwd -P)
MAINTAINER="The Tumblix authors <tumblix@example.org>"
export LC_ALL=C
umask 022

[ -f "$LINUX_BUILD/numbers.sh" ] || { echo "dist: no $LINUX_BUILD/numbers.sh: build first" >&2; exit 1; }
. "$LINUX_BUILD/numbers.sh"
VERSION=$TUMBLIX_VERSION
ARCHIVE=tumblix-$VERSION.tar.gz
if [ "$(git -C "$SOURCE" rev-parse --show-toplevel 2>/dev/null)" = "$SOURCE" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$SOURCE" log -1 --format=%ct)
    if [ -n "$(git -C "$SOURCE" status --porcelain --untracked-files=no)" ]; then
        echo "dist: warning: uncommitted changes; the programs are built from them, the source archive is not"
    fi
    # Modes as the commit has them, less write access for group and others, whatever the
    # machine's tar.umask says.
    pack_source() { git -C "$SOURCE" -c tar.umask=022 archive --format=tar --prefix="tumblix-$VERSION/" HEAD; }
else
    # An unpacked source archive: every file carries the commit's time; packed again as it is.
    SOURCE_DATE_EPOCH=$(stat -c %Y "$SOURCE/CMakeLists.txt")
    pack_source() {
        tar -C "$SOURCE" --exclude=./build --exclude='./build-*' --exclude=./tests/web/node_modules \
            --sort=name --owner=0 --group=0 --numeric-owner --mode=go-w --mtime="@$SOURCE_DATE_EPOCH" \
            --transform="s,^\.,tumblix-$VERSION," -cf - .
    }
fi
export SOURCE_DATE_EPOCH SOURCE OUT VERSION MAINTAINER
for file in "$LINUX_BUILD/tumblix" "$WINDOWS_BUILD/Tumblix.scr"; do
    [ -f "$file" ] || { echo "dist: $file is missing" >&2; exit 1; }
done

rm -rf "$OUT"
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-dist.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/windows"
pack_source | gzip -9n >"$OUT/$ARCHIVE"
sh "$SOURCE/packaging/windows/make_windows.sh" "$WINDOWS_BUILD/Tumblix.scr" "$WORK/windows"
cmake --build "$LINUX_BUILD" --target deb rpm
(cd "$OUT" && sha256sum tumblix* >SHA256SUMS)
(cd "$OUT" && ls -l)
