#!/bin/sh
# Installs the files that packaging/files.txt lists into the root of a package, for
# make_deb.sh and make_rpm.sh alike:
#   stage.sh <deb|rpm> <root> <program file>...
# The programs come from the files given, found by name, and are stripped as Debian strips
# them (no symbols, no .comment or .note). Time stamps are the packaging steps' to set.
set -eu
: "${SOURCE:?stage.sh: run it through make dist}"
PACKAGE=$1
ROOT=$2
shift 2
built() {  # built NAME PROGRAM-FILE...: the file of that name
    name=$1
    shift
    for file in "$@"; do [ "${file##*/}" != "$name" ] || { echo "$file"; return 0; }; done
    echo "stage.sh: the program $name of files.txt was not given" >&2
    return 1
}
grep -v '^#' "$SOURCE/packaging/files.txt" | while read -r kind from to only; do
    [ -n "$kind" ] && [ "${only:-$PACKAGE}" = "$PACKAGE" ] || continue
    install -d "$ROOT${to%/*}"
    case $kind in
    program)
        strip --strip-unneeded --remove-section=.comment --remove-section=.note \
            -o "$ROOT$to" "$(built "$from" "$@")"
        chmod 755 "$ROOT$to" ;;
    link) ln -s "$from" "$ROOT$to" ;;
    file) install -m 644 "$SOURCE/$from" "$ROOT$to" ;;
    manual) gzip -9n <"$SOURCE/$from" >"$ROOT$to" && chmod 644 "$ROOT$to" ;;
    *) echo "stage.sh: unknown kind '$kind' in files.txt" >&2; exit 1 ;;
    esac
done
