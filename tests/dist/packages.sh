#!/bin/sh
# The downloads of make dist as a user gets them: the checksums, the Windows zip, and the
# .deb: its files and fields, lintian's verdict, and its program, unpacked, printing its
# version and drawing into the root window of a private Xvfb; the RPM, installed into a scratch
# root (as root: rpm chroots there for the scriptlets), its entry run by the xscreensaver daemon.
# Both packages' manual pages in the right sections. Also that nothing in any of them
# depends on the machine or the hour of the build: every time stamp inside is the last
# commit's, every owner root, no mode a umask's (make dist-check compares two whole builds).
. "$(dirname "$0")/../../scripts/lib/harness.sh"
DIST=$1
PROBE=$2
VERSION=$3
ZIP=$DIST/tumblix-$VERSION-windows-x64.zip
DEB=$DIST/tumblix_${VERSION}_amd64.deb
SETUP=$DIST/tumblix-$VERSION-setup.exe
RPM=$DIST/tumblix-$VERSION-1.x86_64.rpm
require unzip zipinfo dpkg-deb lintian 7z x86_64-w64-mingw32-objdump rpm rpmlint
[ -f "$DEB" ] || fail_now "$DEB is missing: make dist first"

sums_match() { (cd "$DIST" && sha256sum --quiet --strict -c SHA256SUMS) && [ "$(wc -l <"$DIST/SHA256SUMS")" = 5 ]; }
check "SHA256SUMS matches the five downloads" sums_match
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
        "lrwxrwxrwx root/root ./usr/libexec/xscreensaver/tumblix -> ../../bin/tumblix" | tee "$TEST_TMP/listed" |
        diff - "$TEST_TMP/files"
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
lint_clean() {  # lint_clean LINTER...: passes, and prints no error or warning
    "$@" >"$TEST_TMP/lint" 2>&1 || { sed 's/^/  /' "$TEST_TMP/lint"; return 1; }
    sed 's/^/  /' "$TEST_TMP/lint" | grep -v '^ *$' | tail -n 3
    ! grep -Eq '(^|: )[EW]: ' "$TEST_TMP/lint"
}
[ "$(id -u)" = 0 ] && as_root=--allow-root || as_root=
check "lintian finds no errors or warnings" lint_clean lintian $as_root "$DEB"
dpkg-deb -x "$DEB" "$TEST_TMP/unpacked"
# man_sections ROOT: each manual page's .TH line names the page and the section of its folder.
man_sections() {
    for page in "$1"/usr/share/man/man*/*; do
        th=$(zcat "$page" | sed -n 's/^\.TH \([^ ]*\) \([^ ]*\).*/\1.\2/p' | tr '[:upper:]' '[:lower:]')
        [ "$th.gz" = "${page##*/}" ] && [ "man${th##*.}" = "$(basename "${page%/*}")" ] ||
            { echo "  ${page#"$1"} says .TH $th"; return 1; }
    done
}
check "the .deb's manual pages are in the sections they name" man_sections "$TEST_TMP/unpacked"

rpm_q() { rpm "$@" 2>/dev/null; }  # Debian's rpm says on stderr that alien should install packages
check "rpmlint finds no errors or warnings" lint_clean rpmlint -c "$(dirname "$0")/rpmlint.toml" "$RPM"
rpm_files() {
    rpm_q -qlp "$RPM" | sort >"$TEST_TMP/rpm-files"
    { sed -n 's|.* \./\([^ ]*\).*|/\1|p' "$TEST_TMP/listed" | grep -v /doc/ && printf '%s\n' /usr/libexec/tumblix \
        /usr/share/licenses/tumblix /usr/share/licenses/tumblix/LICENSE /usr/share/xscreensaver/hacks.conf.d/tumblix.conf; } |
        sort | diff - "$TEST_TMP/rpm-files"
}
check "the RPM holds the .deb's files, its licence and the xscreensaver fragment" rpm_files
check "... its Requires come from the programs' libraries" eval 'rpm_q -qp --requires "$RPM" | tr "\n" " " |
    grep -q "libEGL.so.1.*libGL.so.1.*libX11.so.6.*libc.so.6.*libwayland-client.so.0.*libwayland-egl.so.1"'
check "... %post and %postun run update-xscreensaver-hacks where it exists" \
    test "$(rpm_q -qp --scripts "$RPM" | grep -c '^if \[ -x /usr/sbin/update-xscreensaver-hacks \]; then')" = 2
# The scratch root: a shell for the scriptlets, and a stand-in update-xscreensaver-hacks that notes each run.
SCRATCH=$TEST_TMP/scratch
for file in /bin/sh $(ldd /bin/sh | grep -o '/[^ ]*'); do install -D "$(readlink -f "$file")" "$SCRATCH$file"; done
printf '#!/bin/sh\necho run >>/hacks-updated\n' | install -D /dev/stdin "$SCRATCH/usr/sbin/update-xscreensaver-hacks"
rpm_root() { rpm --root "$SCRATCH" --dbpath /var/lib/rpm "$@" >"$TEST_TMP/rpm.log" 2>&1 || { cat "$TEST_TMP/rpm.log"; return 1; }; }
installed() {
    rpm_root --nodeps -i "$RPM" && [ "$(cat "$SCRATCH/hacks-updated")" = run ] || return 1
    while read -r path; do [ -e "$SCRATCH$path" ] || [ -L "$SCRATCH$path" ] || { echo "  missing: $path"; return 1; }; done <"$TEST_TMP/rpm-files"
}
check "installed into a scratch root: every file where rpm -ql says, and %post updated the list" installed
check "... and its manual pages are in the sections they name" man_sections "$SCRATCH"

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
rpm_strays() {  # the build time, and each file's time, owner and mode as the header has them
    rpm_q -qp --qf '%{BUILDTIME} root/root build\n[%{FILEMTIMES} %{FILEUSERNAME}/%{FILEGROUPNAME} %{FILEMODES:perms}\n]' \
        "$RPM" | awk -v when="$EPOCH" '$1 != when || $2 != "root/root" || $3 ~ /^[^l]....w|^[^l].......w/'
    rpm_q -qp --qf '%{BUILDHOST}\n' "$RPM" | grep -Fx "$(hostname)" | sed 's/^/build host /'
    gzip_strays "$SCRATCH"/usr/share/man/*/*.gz
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
for download in zip deb rpm source setup; do
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

# The resource file as Fedora's update-xscreensaver-hacks writes it: the list's head, the
# fragments (Tumblix's, then the system's list), the tail; tumblix found on the daemon's PATH.
. "$SOURCE/scripts/lib/xscreensaver.sh"
mkdir "$TEST_TMP/app-defaults"
{ sed '/^\*programs:/q' "$AD" && cat "$SCRATCH"/usr/share/xscreensaver/hacks.conf.d/*.conf &&
    sed '1,/^\*programs:/d' "$AD"; } >"$TEST_TMP/app-defaults/XScreenSaver"
XSS_PATH=$SCRATCH/usr/libexec/xscreensaver:/usr/bin:/bin
XSS_ENV="XFILESEARCHPATH=$TEST_TMP/app-defaults/%N"
start_xscreensaver
mark
xss xscreensaver-command -select 1 >/dev/null 2>&1
runs_installed() { forked 'tumblix --root"' && [ "$(readlink "/proc/$(pid_of 'tumblix --root"')/exe")" = "$SCRATCH/usr/bin/tumblix" ]; }
check "xscreensaver's first display mode is the fragment's: it runs the installed tumblix --root" wait_until 15 runs_installed
mark
xss xscreensaver-command -select 2 >/dev/null 2>&1
check "... and the system's $STOCK_COUNT follow it: -select 2 runs $(stock_program 1)" wait_until 10 forked "$(stock_program 1) --root\""
xss xscreensaver-command -deactivate >/dev/null 2>&1
rm "$SCRATCH/usr/sbin/update-xscreensaver-hacks"
erased() { rpm_root -e tumblix && (cd "$SCRATCH" && find . -path "*tumblix*") >"$TEST_TMP/left" && [ ! -s "$TEST_TMP/left" ] || { sed "s/^/  /" "$TEST_TMP/left"; return 1; }; }
check "erased (where update-xscreensaver-hacks is missing), nothing of it is left" erased
finish
