#!/bin/bash
# The installer of make dist, silent, both ways: it puts Tumblix.scr into the 64-bit system
# folder, makes it the user's screen saver and registers its uninstaller (twice, as installing
# over the same version does); the installed saver draws; the uninstaller then leaves the
# prefix's files and registry as they were before.
. "$(dirname "$0")/wine_env.sh"
SETUP=$5
INSTALLED=$WINEPREFIX/drive_c/windows/system32/Tumblix.scr
[ -f "$SETUP" ] || fail_now "$SETUP is missing: make dist first"
start_xvfb

# reg_value KEY NAME: the value's data as `reg query` shows it.
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tumblix'

# probe_runs COMMAND-LINE...: the probe starts it as Windows would and it ends with status 0.
probe_runs() {
    wine "$PROBE" run 60000 "$@" >"$TEST_TMP/probe.out" 2>&1
    grep -qx 'exit=0' "$TEST_TMP/probe.out" || { sed 's/^/  /' "$TEST_TMP/probe.out"; return 1; }
}

installs() {
    probe_runs "$(win_path "$SETUP")" /S && probe_runs "$(win_path "$SETUP")" /S || return 1
    cmp "$SCR" "$INSTALLED" || return 1
    saver=$(reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)
    active=$(reg_value 'HKCU\Control Panel\Desktop' ScreenSaveActive)
    name=$(reg_value "$UNINSTALL_KEY" DisplayName)
    echo "  SCRNSAVE.EXE=$saver ScreenSaveActive=$active DisplayName=$name"
    [ "$saver" = 'C:\windows\system32\Tumblix.scr' ] && [ "$active" = 1 ] && [ "$name" = Tumblix ]
}

installed_saver_draws() {
    SCR=$INSTALLED
    start_fullscreen || return 1
    xdotool key space
    ends_cleanly 15
}

# Runs the uninstaller as Apps & Features runs it silently: the command line in the registry.
uninstalls() {
    command=$(reg_value "$UNINSTALL_KEY" QuietUninstallString)
    program=$(printf '%s' "$command" | sed -n 's/^"\([^"]*\)".*/\1/p')
    [ -n "$program" ] || { echo "  no QuietUninstallString: '$command'"; return 1; }
    # shellcheck disable=SC2086  # the arguments are words of the registered command line
    probe_runs "$program" ${command#\"$program\" }
}

# Wine writes its console defaults into the user's registry the first time a program opens a
# console, as Windows has them in every profile; the uninstaller's clean-up command opens one.
wine start /wait /min cmd /d /c exit
learn_wine_changes
check "setup /S installs Tumblix.scr, makes it the saver and registers it (twice)" installs
check "the installed saver runs full screen and draws" installed_saver_draws
check "the registered uninstaller runs with /S" uninstalls
snapshot after
check "the uninstall leaves the prefix's files as they were" no_new_files
check "the uninstall leaves the registry as it was" no_new_settings
finish
