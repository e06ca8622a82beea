#!/bin/sh
# Builds tumblix-<version>-1.x86_64.rpm from the built programs: the CMake target `rpm`, which
# make dist (dist.sh) builds with SOURCE, OUT, VERSION, MAINTAINER and SOURCE_DATE_EPOCH set:
#   make_rpm.sh <program file>...
# The files are those of packaging/files.txt (packaging/stage.sh installs them), the summary,
# description and change note those of the .deb. Requires comes from rpmbuild's own scan of
# the programs' libraries. %post and %postun rebuild Fedora's list of display modes where its
# update-xscreensaver-hacks exists, and do nothing elsewhere.
# Reproducible: the build time is SOURCE_DATE_EPOCH, every file's time is clamped to it, the
# build host is a fixed name, and rpmbuild reads no ~/.rpmmacros but the scratch folder's. The
# payload is xz at its usual level in one thread: the same bytes whatever the machine's cores.
set -eu
: "${SOURCE:?make_rpm.sh: run it through make dist}" "${OUT:?}" "${VERSION:?}" "${MAINTAINER:?}"
: "${SOURCE_DATE_EPOCH:?}"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tumblix-rpm.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
STAGED=$WORK/staged
sh "$SOURCE/packaging/stage.sh" rpm "$STAGED" "$@"
# Every staged file and link; the folders named after Tumblix are its own; the licence marked.
(cd "$STAGED" && find . ! -type d && find . -type d -name 'tumblix*' | sed 's/^/%dir /') |
    sed 's|\./|/|; s|^/usr/share/licenses/|%license &|' | sort >"$WORK/files"

control=$SOURCE/packaging/debian/control.in
summary=$(sed -n 's/^Description: \(.\)/\U\1/p' "$control")
description=$(sed '1,/^Description:/d; s/^ //; s/^\.$//' "$control")
change=$(sed -n '/^  \*/,/^$/{s/^  \* /- /; s/^    /  /; /^$/d; p}' "$SOURCE/packaging/debian/changelog.in" |
    sed "s/@VERSION@/$VERSION/g")
cat >"$WORK/tumblix.rpmspec" <<END
Name: tumblix
Version: $VERSION
Release: 1
Summary: $summary
License: MIT
Group: Amusements/Graphics
Packager: $MAINTAINER
# The programs come stripped; there is nothing to make a debug package of.
%global debug_package %{nil}
%global __os_install_post %{nil}
%global update_hacks if [ -x /usr/sbin/update-xscreensaver-hacks ]; then /usr/sbin/update-xscreensaver-hacks || :; fi

%description
$description

%install
cp -a "$STAGED/." "%{buildroot}/"

%post
%{update_hacks}

%postun
%{update_hacks}

%files -f $WORK/files

%changelog
* $(date -u -d "@$SOURCE_DATE_EPOCH" '+%a %b %d %Y') $MAINTAINER - $VERSION-1
$change
END
HOME=$WORK rpmbuild -bb --quiet --define "_topdir $WORK" --define "_rpmdir $OUT" \
    --define '_build_name_fmt %{NAME}-%{VERSION}-%{RELEASE}.%{ARCH}.rpm' \
    --define '_buildhost tumblix.build' --define 'use_source_date_epoch_as_buildtime 1' \
    --define 'clamp_mtime_to_source_date_epoch 1' --define '_build_id_links none' \
    --define '_binary_payload w6.xzdio' "$WORK/tumblix.rpmspec"
