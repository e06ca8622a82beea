#!/bin/sh
# The downloads of make dist as a user gets them: the checksums, the Windows zip, and the
# .deb: its files and fields, lintian's verdict, and its program, unpacked, printing its
# version and drawing into the root window of a private Xvfb. Also that nothing in any of them
# depends on the machine or the hour of the build: every time stamp inside is the last
# commit's, every owner root, no mode a umask's (make dist-check compares two whole builds).
. "$(dirname "$0")/../../scripts/lib/harness.sh"
DIST=$1
PROBE=$2
VERSION=$3
ZIP=$DIST/tumblix-$VERSION-windows-x64.zip
DEB=$DIST/tumblix_${VERSION}_amd64.deb
SETUP=$DIST/tumblix-$VERSION-setup.exe
require unzip zipinfo dpkg-deb lintian 7z x86_64-w64-mingw32-objdump
[ -f "$DEB" ] || fail_now "$DEB is missing: make dist first"

sums_match() { (cd "$DIST" && sha256sum --quiet --strict -c SHA256SUMS) && [ "$(wc -l <"$DIST/SHA256SUMS")" = 4 ]; }
check "SHA256SUMS matches the four downloads" sums_match
check "the zip holds Tumblix.scr, README.txt and LICENSE.txt" \
    test "$(unzip -Z1 "$ZIP" | tr '\n' ' ')" = "Tumblix.scr README.txt LICENSE.txt "
unzip -p "$ZIP" README.txt >"$TEST_TMP/README.txt"
check "README.txt has Windows line ends" test "$(grep -c "$(printf '\r')\$" "$TEST_TMP/README.txt")" -gt 20 -a \
    "$(grep -vc "$(printf '\r')\$" "$TEST_TMP/README.txt")" = 0

deb_files() {
    dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {print $1, $2, $6, $7, $8}' | sed 's/ *$//' | LC_ALL=C sort >"$TEST_TMP/files"
    printf '%s\n' "-rw-r--r-- root/root ./usr/share/doc/tumblix/changelog.gz" \
        "-rw-r--r-- root/root ./usr/share/doc/tumblix/copyright" \
        "-rw-r--r-- root/root ./usr/share/man/man1/tumblix-xscreensaver.1.gz" \
        "-rw-r--r-- root/root ./usr/share/man/man6/tumblix-idle.6.gz" \
        "-rw-r--r-- root/root ./usr/share/man/man6/tumblix.6.gz" \
        "-rw-r--r-- root/root ./usr/share/xscreensaver/config/tumblix.xml" \
        "-rwxr-xr-x root/root ./usr/bin/tumblix" \
        "-rwxr-xr-x root/root ./usr/bin/tumblix-idle" \
        "-rwxr-xr-x root/root ./usr/bin/tumblix-xscreensaver" \
        "-rwxr-xr-x root/root ./usr/libexec/tumblix/tumblix-wayland" \
        "lrwxrwxrwx root/root ./usr/libexec/xscreensaver/tumblix -> ../../bin/tumblix" | diff - "$TEST_TMP/files"
}
check "the .deb holds the programs, the link for xscreensaver, settings, manuals and doc" deb_files
control_fields() {
    echo "  Depends: $(dpkg-deb -f "$DEB" Depends)"
    [ "$(dpkg-deb -f "$DEB" Package Version Architecture | tr '\n' ' ')" = \
        "Package: tumblix Version: $VERSION Architecture: amd64 " ] &&
        dpkg-deb -f "$DEB" Depends | grep -q 'libc6 (>= [0-9.]*).*libegl1.*libgl1.*libsystemd0.*libwayland-client0.*libwayland-egl1.*libx11-6.*libxss1' &&
        dpkg-deb --fsys-tarfile "$DEB" | tar -xO ./usr/share/doc/tumblix/copyright | head -n 1 |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
}
check "control fields and the machine-readable copyright" control_fields
lintian_clean() {
    [ "$(id -u)" = 0 ] && as_root=--allow-root || as_root=
    lintian $as_root "$DEB" >"$TEST_TMP/lintian" 2>&1 || { sed 's/^/  /' "$TEST_TMP/lintian"; return 1; }
    sed 's/^/  /' "$TEST_TMP/lintian"
    ! grep -q '^E:' "$TEST_TMP/lintian"
}
check "lintian finds no errors" lintian_clean

dpkg-deb -x "$DEB" "$TEST_TMP/unpacked"

# The last commit's time, taken as dist.sh takes it.
SOURCE=$(cd "$(dirname "$0")/../.." && pwd -P)
if [ "$(git -C "$SOURCE" rev-parse --show-toplevel 2>/dev/null)" = "$SOURCE" ]; then
    EPOCH=$(git -C "$SOURCE" log -1 --format=%ct)
else
    EPOCH=$(stat -c %Y "$SOURCE/CMakeLists.txt")
fi
# Zip and NSIS keep DOS times, in steps of two seconds: zip rounds an odd second up, NSIS down.
ZIP_EPOCH=$((EPOCH + EPOCH % 2))
NSIS_EPOCH=$((EPOCH - EPOCH % 2))
utc() { TZ=UTC0 date -d "@$1" "$2"; }
# Each *_strays function prints what depends on the machine or the build's hour; none is expected.
# A mode with write access for group or others is the trace of a umask.
tar_strays() {  # tar_strays TAR-OPTIONS...: owners, times and modes of the members
    tar -tv --full-time --utc "$@" | awk -v when="$(utc "$EPOCH" '+%F %T')" \
        '$2 != "root/root" || $4 " " $5 != when || $1 ~ /^[^l]....w|^[^l].......w/'
    tar -tv --numeric-owner "$@" | awk '$2 != "0/0"'
}
zip_strays() {  # no extra fields either: they hold Unix owners and finer time stamps
    zipinfo -T "$ZIP" | awk -v when="$(utc "$ZIP_EPOCH" +%Y%m%d.%H%M%S)" \
        '/^-/ && ($7 != when || $1 ~ /^.....w|^........w/)'
    zipinfo -v "$ZIP" | grep 'length of extra field' | grep -v ' 0 bytes$'
    unzip -p "$ZIP" Tumblix.scr >"$TEST_TMP/Tumblix.scr"
    x86_64-w64-mingw32-objdump -p "$TEST_TMP/Tumblix.scr" | grep '^Time/Date' | grep -v '00:00:00 1970$'
}
deb_strays() {
    TZ=UTC0 ar tv "$DEB" | awk -v when="$(utc "$EPOCH" '+%b %-d %H:%M %Y')" \
        '$2 != "0/0" || $4 " " $5 " " $6 " " $7 != when || $1 ~ /^....w|^.......w/'
    dpkg-deb --ctrl-tarfile "$DEB" >"$TEST_TMP/control.tar" && tar_strays -f "$TEST_TMP/control.tar"
    dpkg-deb --fsys-tarfile "$DEB" >"$TEST_TMP/data.tar" && tar_strays -f "$TEST_TMP/data.tar"
    # shellcheck disable=SC2046  # the scratch folder's paths have no spaces
    gzip_strays $(find "$TEST_TMP/unpacked" -name '*.gz')
}
gzip_strays() { for file in "$@"; do [ "$(od -An -tu4 -j4 -N4 "$file")" -eq 0 ] || echo "time in $file"; done; }
source_strays() { tar_strays -zf "$SOURCE_ARCHIVE" && gzip_strays "$SOURCE_ARCHIVE"; }
# Tumblix's own files in the installer (NSIS adds its pictures and plugins with their own times).
setup_strays() {
    7z l -slt "$SETUP" | awk -v when="$(utc "$NSIS_EPOCH" '+%F %T')" '/^Path = / {path = $3}
        /^Modified = / && path ~ /^\$SYSDIR\// {seen++; if ($3 " " substr($4, 1, 8) != when) print path, $3, $4}
        END {if (!seen) print "no file for $SYSDIR"}'
}
SOURCE_ARCHIVE=$DIST/tumblix-$VERSION.tar.gz
no_strays() { "$1" >"$TEST_TMP/strays" 2>&1; sed 's/^/  /' "$TEST_TMP/strays" | head -5; [ ! -s "$TEST_TMP/strays" ]; }
for download in zip deb source setup; do
    check "the $download's time stamps are the commit's ($(utc "$EPOCH" '+%F %T')), its owners root" \
        no_strays ${download}_strays
done
check "the unpacked program prints its version" \
    test "$("$TEST_TMP/unpacked/usr/libexec/xscreensaver/tumblix" --version)" = "tumblix $VERSION"
check "... and so does tumblix-xscreensaver" \
    test "$("$TEST_TMP/unpacked/usr/bin/tumblix-xscreensaver" --version)" = "tumblix-xscreensaver $VERSION"
start_xvfb 320x240
launch "$TEST_TMP/unpacked/usr/bin/tumblix" --root
lit_above_100() { [ "$("$PROBE" lit 0 0 320 240)" -gt 100 ]; }
check "the unpacked program draws with --root" wait_until 10 lit_above_100
kill -TERM "$SAVER"
check "... and ends with status 0 on SIGTERM" ends_cleanly 3
finish
