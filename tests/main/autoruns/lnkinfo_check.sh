#!/usr/bin/env bash
# Writes a shortcut with the shell link object under Wine and reads it with lnkinfo (liblnk), a
# reader nobody here wrote: target, arguments, working directory and description must agree.
# Usage: lnkinfo_check.sh <wine-run> <LinkWriter.exe> <work folder>
set -u
wine_run=$1 writer=$2 work=$3
if ! command -v lnkinfo >/dev/null; then
  echo "lnkinfo is missing (Debian package liblnk-utils)"; exit 77
fi
rm -rf "$work" && mkdir -p "$work" || exit 1
windows_folder="Z:$(echo "$work" | tr / '\\')"
"$wine_run" "$writer" "$windows_folder" >"$work/writer.out" 2>&1 || { cat "$work/writer.out"; exit 1; }
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
expect "Working directory" "$windows_folder\\"
expect "Description" "Vantrel lnkinfo check"
expect "Icon location" "$windows_folder\\target.exe"

# The tray companion's startup shortcut: the companion beside the programs, started with -Autorun.
info=$(lnkinfo "$work/autostart.lnk") || { echo "lnkinfo failed on autostart.lnk"; exit 1; }
echo "$info"
expect "Local path" "$windows_folder\\vtlsystray.exe"
expect "Command line arguments" "-Autorun"
expect "Description" "Automatischer Start des Vantrel SystemTray Icons."
exit $fail
