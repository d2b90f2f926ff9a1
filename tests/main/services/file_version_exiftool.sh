#!/usr/bin/env bash
# Every version field our reader finds in a file equals what exiftool (an outside reader) finds,
# and the reader finds the fields exiftool lists. Usage: wine-run printer.exe file...
set -u
wine_run=$1; printer=$2; shift 2
command -v exiftool >/dev/null || { echo "exiftool missing"; exit 77; }
status=0
for file in "$@"; do
  ours=$("$wine_run" "$printer" "$(echo "Z:$file" | tr / '\\')" | tr -d '\r' | sort)
  theirs=$(exiftool -s -s -CompanyName -FileDescription -FileVersion -InternalName -LegalCopyright \
             -OriginalFileName -ProductName -ProductVersion -Comments -LegalTrademarks "$file" |
           sed -e 's/^OriginalFileName:/OriginalFilename:/' | sort)
  if [ -z "$theirs" ] || [ "$ours" != "$theirs" ]; then
    echo "mismatch for $file"; echo "ours:"; echo "$ours"; echo "exiftool:"; echo "$theirs"; status=1
  else
    echo "$file: $(echo "$ours" | wc -l) fields agree"
  fi
done
exit $status
