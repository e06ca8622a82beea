#!/bin/bash
# The saver writes no file and no setting: it imports nothing that opens files or the
# registry, and running it (full screen, configuration, a bad command line) leaves the Wine
# prefix and the home folder as a plain Wine program leaves them.
. "$(dirname "$0")/wine_env.sh"
require x86_64-w64-mingw32-objdump
start_xvfb

WIN_SCR=$(win_path "$SCR")
SNAP=$TEST_TMP/snap
mkdir -p "$SNAP"

# Calls through which a Windows program reaches files or settings. Writing to the standard
# error handle it was given is not among them.
FORBIDDEN_IMPORTS='^(Reg[A-Z]|SH[A-Z]|CreateFile|OpenFile|_?l?creat|_?w?fopen|_?w?open$|_?w?sopen|CopyFile|MoveFile|DeleteFile|CreateDirectory|WritePrivateProfile|GetPrivateProfile|WriteProfile|GetProfile|SetEnvironmentVariable)'

imports_nothing_for_files() {
    names=$(x86_64-w64-mingw32-objdump -p "$SCR" | awk '/DLL Name:/ {dll=$3; next}
        dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll, $3}')
    [ -n "$names" ] || { echo "  no imports read"; return 1; }
    echo "  imports from: $(printf '%s\n' "$names" | awk '{print $1}' | sort -u | tr '\n' ' ')"
    bad=$(printf '%s\n' "$names" | awk '{print $2}' | grep -E "$FORBIDDEN_IMPORTS")
    [ -z "$bad" ] || { echo "  imports $bad"; return 1; }
    ! printf '%s\n' "$names" | grep -qi '^advapi32' || { echo "  imports ADVAPI32"; return 1; }
}

# snapshot NAME: the prefix's and the home folder's files (size and content hash), and the
# registry flattened to "key / value" lines without Wine's time stamps. Wine writes the
# registry out when its server ends, so the server is let go first.
snapshot() {
    wineserver -w
    (cd "$WINEPREFIX" && find . -path ./dosdevices -prune -o -type f ! -name '*.reg' -print0 |
        sort -z | xargs -0 -r md5sum) >"$SNAP/$1.files"
    (cd "$HOME" && find . -type f -print0 | sort -z | xargs -0 -r md5sum) >"$SNAP/$1.home"
    for hive in system user userdef; do
        awk -v hive=$hive '/^#/ {next} /^\[/ {key=$0; sub(/\] [0-9]+$/, "]", key); next}
            NF {line = line $0; if (line ~ /\\$/) {sub(/\\$/, "", line); next}
                print hive " " key " " line; line = ""}' "$WINEPREFIX/$hive.reg"
    done | sort >"$SNAP/$1.reg"
}

# What Wine itself rewrites at every start (display driver dates and the like) is learnt
# from a run of a plain Wine program.
snapshot before
wine "$PROBE" idle 1500 >/dev/null 2>&1
snapshot plain
volatile_keys() { comm -3 "$SNAP/before.reg" "$SNAP/plain.reg" | sed 's/^\t//; s/"[^"]*"=.*$//; s/@=.*$//' | sort -u; }

run_saver_modes() {
    start_fullscreen || return 1
    xdotool key space
    ends_cleanly 15 || return 1
    wine "$PROBE" settings "$WIN_SCR" /c >/dev/null 2>&1 || return 1
    wine "$PROBE" run 15000 "$WIN_SCR" /x >/dev/null 2>&1 || return 1
}

no_new_files() {
    same=0
    diff "$SNAP/before.files" "$SNAP/after.files" >"$SNAP/files.diff" || same=1
    diff "$SNAP/before.home" "$SNAP/after.home" >>"$SNAP/files.diff" || same=1
    sed 's/^/  /' "$SNAP/files.diff"
    return $same
}

no_new_settings() {
    volatile_keys >"$SNAP/volatile"
    # Lines that changed and do not belong to a key Wine rewrites on its own.
    comm -3 "$SNAP/plain.reg" "$SNAP/after.reg" | sed 's/^\t//' | while IFS= read -r line; do
        key=$(printf '%s\n' "$line" | sed 's/"[^"]*"=.*$//; s/@=.*$//')
        grep -qxF "$key" "$SNAP/volatile" || echo "$line"
    done >"$SNAP/changed"
    sed 's/^/  changed: /' "$SNAP/changed" | head -20
    [ ! -s "$SNAP/changed" ]
}

check "the saver imports nothing that opens files or settings" imports_nothing_for_files
check "the saver runs full screen, /c and a bad command line" run_saver_modes
snapshot after
check "no file in the prefix or the home folder was added or changed" no_new_files
check "no registry value was added or changed" no_new_settings
finish
