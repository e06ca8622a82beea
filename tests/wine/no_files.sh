#!/bin/bash
# The saver writes no file and no setting: it imports nothing that opens files or the
# registry, and running it (full screen, configuration, a bad command line) leaves the Wine
# prefix and the home folder as a plain Wine program leaves them.
. "$(dirname "$0")/wine_env.sh"
require x86_64-w64-mingw32-objdump
start_xvfb

WIN_SCR=$(win_path "$SCR")

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

learn_wine_changes

run_saver_modes() {
    start_fullscreen || return 1
    xdotool key space
    ends_cleanly 15 || return 1
    wine "$PROBE" run 15000 "$WIN_SCR" /c >/dev/null 2>&1 || return 1
    wine "$PROBE" run 15000 "$WIN_SCR" /x >/dev/null 2>&1 || return 1
}

check "the saver imports nothing that opens files or settings" imports_nothing_for_files
check "the saver runs full screen, /c and a bad command line" run_saver_modes
snapshot after
check "no file in the prefix or the home folder was added or changed" no_new_files
check "no registry value was added or changed" no_new_settings
finish
