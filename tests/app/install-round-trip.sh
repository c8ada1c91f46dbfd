#!/usr/bin/env bash
# install-round-trip.sh BUILD_DIR PROGRAM SERVER
# "Norvale.exe /install" then "/uninstall" in a Wine prefix made for this run, with the program and its server
# placed in "C:\Program Files\Norvale" as a setup would: the registry afterwards is the registry before, and in
# between the server is registered from that folder. Runs inside the build tree's Wine environment (its display);
# the prefix and its wineserver are this script's own and go when it ends.
set -euo pipefail
build=$1 program=$2 server=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
eval "$("$here/../../tools/lib/wine-env" shell "$build")"

work=$(mktemp -d /tmp/norvale-install-round-trip.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
cleanup() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

# The registry is read with the 64-bit regedit: where the 32-bit Wine is installed, a plain `wine regedit` is
# the 32-bit one, which sees the 32-bit view of "Software\Classes\CLSID" and none of the 64-bit server's classes.
regedit64=wine
[[ -x /usr/lib/wine/wine64 ]] && regedit64=/usr/lib/wine/wine64

WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -u >"$work/wineboot.log" 2>&1
wineserver -w
# One session from the first snapshot to the last: Wine's display driver writes its device keys afresh at the start
# of each session, which would show as a difference that is none of the program's.
wineserver -p
"$regedit64" regedit /E "C:\\warm-up.reg" >/dev/null 2>&1
folder="$WINEPREFIX/drive_c/Program Files/Norvale"
mkdir -p "$folder"
cp "$program" "$folder/Norvale.exe"
cp "$server" "$folder/Norvale.dll"

# The whole registry as regedit64 exports it (HKEY_LOCAL_MACHINE and HKEY_USERS, sorted by key), in UTF-8.
export_registry() {
  "$regedit64" regedit /E "C:\\registry-$1.reg" >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/registry-$1.reg" | tr -d '\r' >"$work/$1.reg"
}

export_registry before
wine "C:\\Program Files\\Norvale\\Norvale.exe" /install || fail "/install ended with $?"
export_registry installed
wine "C:\\Program Files\\Norvale\\Norvale.exe" /uninstall || fail "/uninstall ended with $?"
export_registry after

grep -q -F 'C:\\Program Files\\Norvale\\Norvale.dll' "$work/installed.reg" ||
  fail "/install did not register the server from the program folder"
grep -q -F '[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}\InprocServer32]' \
  "$work/installed.reg" || fail "/install did not register the tray extension"
if ! diff -u "$work/before.reg" "$work/after.reg" >"$work/difference"; then
  cat "$work/difference" >&2
  fail "the registry after /uninstall is not the registry before /install"
fi
echo "registry before /install = registry after /uninstall ($(grep -c '^\[' "$work/before.reg") keys)"
