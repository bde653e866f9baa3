#!/usr/bin/env bash
# kestrane-gallery --out writes one PNG a page, and refuses bad arguments.
# usage: pictures_test.sh GALLERY WORKDIR
set -euo pipefail
# Memory the system libraries keep for the life of the process is not ours to report.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/scripts/lsan.supp:print_suppressions=0}
gallery=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
"$gallery" --out "$work" >/dev/null
for page in primitives text controls; do
  file="$work/$page.png"
  [[ -s "$file" ]] || { echo "missing $file"; exit 1; }
  [[ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" == 89504e470d0a1a0a ]] || { echo "$file is no PNG"; exit 1; }
done
# Every listed page has its picture.
while IFS=$'\t' read -r name _; do
  [[ -s "$work/$name.png" ]] || { echo "page $name has no picture"; exit 1; }
done < <("$gallery" --list)
for bad in "--page nosuchpage --out $work" "--window --out $work" "" "--bogus"; do
  # shellcheck disable=SC2086
  if "$gallery" $bad >/dev/null 2>&1; then echo "accepted: kestrane-gallery $bad"; exit 1; fi
done
echo ok
