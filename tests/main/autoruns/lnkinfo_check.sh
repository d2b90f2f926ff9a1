#!/usr/bin/env bash
# Writes a shortcut with the shell link object under Wine and reads it with lnkinfo (liblnk), a
# reader nobody here wrote: target, arguments, working directory and description must agree.
# With --autorun the shortcut is the one that adding a startup-folder autorun writes.
# Usage: lnkinfo_check.sh <wine-run> <LinkWriter.exe> <work folder> [--autorun]
set -u
wine_run=$1 writer=$2 work=$3 mode=${4:-}
if ! command -v lnkinfo >/dev/null; then
  echo "lnkinfo is missing (Debian package liblnk-utils)"; exit 77
fi
rm -rf "$work" && mkdir -p "$work" || exit 1
windows_folder="Z:$(echo "$work" | tr / '\\')"
"$wine_run" "$writer" "$windows_folder" $mode >"$work/writer.out" 2>&1 || { cat "$work/writer.out"; exit 1; }
[ -f "$work/check.lnk" ] || { echo "no shortcut written"; exit 1; }
info=$(lnkinfo "$work/check.lnk") || { echo "lnkinfo failed"; exit 1; }
echo "$info"

fail=0
expect() {  # expect <label> <value>
  local got
  got=$(printf '%s\n' "$info" | sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" | head -n 1 | tr -d '\r')
  if [ "$got" != "$2" ]; then
    echo "MISMATCH $1: lnkinfo shows '$got', expected '$2'"; fail=1
  fi
}
expect "Local path" "$windows_folder\\target.exe"
expect "Command line arguments" "-Autorun /x"
if [ "$mode" = --autorun ]; then
  expect "Working directory" "$windows_folder"
  expect "Description" "$(sed -n 's/^AutorunCreatedByVTL = //p' "$VANTREL_SOURCE/Language/English.ini" | tr -d '\r')"
else
  expect "Working directory" "$windows_folder\\"
  expect "Description" "Vantrel lnkinfo check"
fi
expect "Icon location" "$windows_folder\\target.exe"

# The tray companion's startup shortcut: the companion beside the programs, started with -Autorun.
if [ "$mode" != --autorun ]; then
  info=$(lnkinfo "$work/autostart.lnk") || { echo "lnkinfo failed on autostart.lnk"; exit 1; }
  echo "$info"
  expect "Local path" "$windows_folder\\vtlsystray.exe"
  expect "Command line arguments" "-Autorun"
  expect "Description" "Automatischer Start des Vantrel SystemTray Icons."
fi
exit $fail
