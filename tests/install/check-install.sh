#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the installed layout:
# the game with its help file beside it, the launcher on the PATH, and
# desktop entry, icon, MIME type and AppStream metadata that validate.
# Usage: check-install.sh <build folder>
set -euo pipefail

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install: FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in libexec/ridolt/ridolt libexec/ridolt/ridolt_help.html libexec/ridolt/ridolt_help.en.html bin/ridolt \
            share/applications/jp.tovric.Ridolt.desktop \
            share/icons/hicolor/scalable/apps/ridolt.svg \
            share/metainfo/jp.tovric.Ridolt.metainfo.xml share/mime/packages/ridolt.xml; do
    [[ -e "$prefix/$file" ]] || fail "$file is missing"
done
[[ "$(readlink -f "$prefix/bin/ridolt")" == "$(readlink -f "$prefix/libexec/ridolt/ridolt")" ]] ||
    fail "the launcher does not lead to the game"
"$prefix/bin/ridolt" --version | grep -q '^リドルト ' || fail "the launcher does not start the game"

desktop-file-validate "$prefix/share/applications/jp.tovric.Ridolt.desktop"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/jp.tovric.Ridolt.metainfo.xml" >/dev/null ||
    fail "AppStream metadata does not validate"

# The MIME type knows a save file by its first bytes, whatever its name,
# and by the name of a save slot.
mime="$prefix/share/mime"
XDG_DATA_DIRS="$prefix/share" update-mime-database "$mime" >/dev/null
printf 'Tovric\0\0\0' >"$prefix/game.bin"
echo other >"$prefix/7savedata.sav"
for file in game.bin 7savedata.sav; do
    type=$(XDG_DATA_DIRS="$prefix/share:/usr/share" gio info -a standard::content-type \
        "$prefix/$file" | sed -n 's/.*content-type: //p')
    [[ "$type" == application/x-ridolt-save ]] || fail "$file is seen as $type"
done
echo "install: layout, launcher, desktop entry and metadata are sound"
