#!/bin/bash
# The saver writes no file and no setting: it imports nothing that opens files or the
# registry, and running it (full screen, configuration, a bad command line) leaves the Wine
# prefix and the home folder as a plain Wine program leaves them. So does the installer of
# make dist, silent, once uninstalled again: meanwhile it has put Tumblix.scr into the 64-bit
# system folder and made it the user's saver (twice: installing over the same version), and
# the installed saver has drawn.
. "$(dirname "$0")/../../scripts/lib/wine.sh"
SETUP=$5
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
        sort -z | xargs -0 -r md5sum && find . -path ./dosdevices -prune -o -type d -print | sort) \
        >"$SNAP/$1.files"
    (cd "$HOME" && find . -type f -print0 | sort -z | xargs -0 -r md5sum) >"$SNAP/$1.home"
    for hive in system user userdef; do
        awk -v hive=$hive '/^#/ {next} /^\[/ {key=$0; sub(/\] [0-9]+$/, "]", key); next}
            NF {line = line $0; if (line ~ /\\$/) {sub(/\\$/, "", line); next}
                print hive " " key " " line; line = ""}' "$WINEPREFIX/$hive.reg"
    done | sort >"$SNAP/$1.reg"
}

# Wine writes its console defaults into the user's registry the first time a program opens a
# console, as Windows has them in every profile; the uninstaller's clean-up command opens one.
wine start /wait /min cmd /d /c exit
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

# reg_value KEY NAME: the value's data as `reg query` shows it.
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tumblix'
probe_runs() {  # probe_runs PROGRAM ARGUMENTS...: started as Windows starts it, ends with status 0
    wine "$PROBE" run 60000 "$@" >"$TEST_TMP/probe.out" 2>&1 && grep -qx 'exit=0' "$TEST_TMP/probe.out" ||
        { sed 's/^/  /' "$TEST_TMP/probe.out"; return 1; }
}

installs_and_draws() {
    probe_runs "$(win_path "$SETUP")" /S && probe_runs "$(win_path "$SETUP")" /S || return 1
    local SCR=$WINEPREFIX/drive_c/windows/system32/Tumblix.scr
    cmp "$1" "$SCR" || return 1
    saver=$(reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)
    active=$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveActive)
    name=$(reg_value "$UNINSTALL_KEY" DisplayName)
    echo "  SCRNSAVE.EXE=$saver ScreenSaveActive=$active DisplayName=$name"
    [ "$saver" = 'C:\windows\system32\Tumblix.scr' ] && [ "$active" = 1 ] && [ "$name" = Tumblix ] || return 1
    start_fullscreen && xdotool key space && ends_cleanly 15
}

# The uninstaller as Windows runs it silently: the command line the installer registered.
uninstalls() {
    command=$(reg_value "$UNINSTALL_KEY" QuietUninstallString)
    program=$(printf '%s' "$command" | sed -n 's/^"\([^"]*\)".*/\1/p')
    [ -n "$program" ] || { echo "  no QuietUninstallString: '$command'"; return 1; }
    # shellcheck disable=SC2086  # the words of the registered command line
    probe_runs "$program" ${command#\"$program\" }
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
check "setup /S (twice) installs Tumblix.scr and makes it the saver, which draws" installs_and_draws "$SCR"
check "the registered uninstaller runs silently" uninstalls
snapshot after
check "no file in the prefix or the home folder was added or changed" no_new_files
check "no registry value was added or changed" no_new_settings
finish
