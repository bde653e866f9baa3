#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
# Each component lists its own packages in scripts/packages/*.list (one name a line, # for notes).
# Quiet when everything is there; safe to run again and again.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

wanted=$(cat "$here"/packages/*.list | sed -e 's/#.*//' -e 's/[[:space:]]//g' | grep -v '^$' | sort -u)
missing=()
for pkg in $wanted; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}" >&2
if ! command -v apt-get >/dev/null 2>&1; then
  echo "setup: apt-get is not available; install these packages by hand: ${missing[*]}" >&2
  exit 1
fi
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    echo "setup: must run as root (or with sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
fi
log=$(mktemp)
if ! { "${sudo[@]}" apt-get update -qq && DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "setup: could not install: ${missing[*]}" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
