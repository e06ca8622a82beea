#!/bin/sh
# Builds the two Windows downloads from Tumblix.scr, for make dist (dist.sh):
#   make_windows.sh <Tumblix.scr> <scratch folder>
# tumblix-<version>-windows-x64.zip holds Tumblix.scr, README.txt and LICENSE.txt (Windows
# line ends); tumblix-<version>-setup.exe is the NSIS installer (packaging/windows/tumblix.nsi).
# Every time stamp inside is SOURCE_DATE_EPOCH, so the same commit gives the same files.
set -eu
SCR=$1
WORK=$2
STAGE=$WORK/stage
mkdir "$STAGE"
cp "$SCR" "$STAGE/Tumblix.scr"
sed "s/@VERSION@/$VERSION/g; s/\$/\r/" "$SOURCE/packaging/windows/README.txt" >"$STAGE/README.txt"
sed 's/$/\r/' "$SOURCE/LICENSE" >"$STAGE/LICENSE.txt"
chmod 644 "$STAGE"/*
touch -d "@$SOURCE_DATE_EPOCH" "$STAGE"/*

# Zip keeps local time: in UTC the stored time is the commit's on every machine. -X leaves
# out the Unix owners and extra time fields.
(cd "$STAGE" && TZ=UTC0 zip -q -X -9 "$WORK/windows.zip" Tumblix.scr README.txt LICENSE.txt)
mv "$WORK/windows.zip" "$OUT/tumblix-$VERSION-windows-x64.zip"

# The installer carries the files' time stamps, set above.
makensis -V2 -NOCD -DVERSION="$VERSION" -DSCR="$STAGE/Tumblix.scr" -DLICENSE="$STAGE/LICENSE.txt" \
    -DICON="$SOURCE/saver/Tumblix.ico" -DOUTFILE="$OUT/tumblix-$VERSION-setup.exe" \
    "$SOURCE/packaging/windows/tumblix.nsi" >"$WORK/makensis.log" ||
    { cat "$WORK/makensis.log" >&2; exit 1; }
