#!/bin/sh
# The downloads of make dist as a user gets them: the checksums, the Windows zip, and the
# .deb: its files and fields, lintian's verdict, and its program, unpacked, printing its
# version and drawing into the root window of a private Xvfb.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
DIST=$1
PROBE=$2
VERSION=$3
ZIP=$DIST/tumblix-$VERSION-windows-x64.zip
DEB=$DIST/tumblix_${VERSION}_amd64.deb
require unzip dpkg-deb lintian
[ -f "$DEB" ] || fail_now "$DEB is missing: make dist first"

sums_match() { (cd "$DIST" && sha256sum --quiet --strict -c SHA256SUMS) && [ "$(wc -l <"$DIST/SHA256SUMS")" = 4 ]; }
check "SHA256SUMS matches the four downloads" sums_match
check "the zip holds Tumblix.scr, README.txt and LICENSE.txt" \
    test "$(unzip -Z1 "$ZIP" | tr '\n' ' ')" = "Tumblix.scr README.txt LICENSE.txt "
unzip -p "$ZIP" README.txt >"$TEST_TMP/README.txt"
check "README.txt has Windows line ends" test "$(grep -c "$(printf '\r')\$" "$TEST_TMP/README.txt")" -gt 20 -a \
    "$(grep -vc "$(printf '\r')\$" "$TEST_TMP/README.txt")" = 0

deb_files() {
    dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {print $1, $2, $6, $7, $8}' | sed 's/ *$//' | sort >"$TEST_TMP/files"
    printf '%s\n' "-rw-r--r-- root/root ./usr/share/doc/tumblix/changelog.gz" \
        "-rw-r--r-- root/root ./usr/share/doc/tumblix/copyright" \
        "-rw-r--r-- root/root ./usr/share/man/man1/tumblix-xscreensaver.1.gz" \
        "-rw-r--r-- root/root ./usr/share/man/man6/tumblix.6.gz" \
        "-rw-r--r-- root/root ./usr/share/xscreensaver/config/tumblix.xml" \
        "-rwxr-xr-x root/root ./usr/bin/tumblix" \
        "-rwxr-xr-x root/root ./usr/bin/tumblix-xscreensaver" \
        "-rwxr-xr-x root/root ./usr/libexec/tumblix/tumblix-wayland" \
        "lrwxrwxrwx root/root ./usr/libexec/xscreensaver/tumblix -> ../../bin/tumblix" | diff - "$TEST_TMP/files"
}
check "the .deb holds the programs, the link for xscreensaver, settings, manuals and doc" deb_files
control_fields() {
    echo "  Depends: $(dpkg-deb -f "$DEB" Depends)"
    [ "$(dpkg-deb -f "$DEB" Package Version Architecture | tr '\n' ' ')" = \
        "Package: tumblix Version: $VERSION Architecture: amd64 " ] &&
        dpkg-deb -f "$DEB" Depends | grep -q 'libc6 (>= [0-9.]*).*libegl1.*libgl1.*libwayland-client0.*libwayland-egl1.*libx11-6' &&
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
