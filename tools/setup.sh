#!/usr/bin/env bash
# Installs what building and testing the program need on Debian 12 (run as root), and the font
# mapping that makes the Windows font names of the templates lay out identically everywhere.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

fonts_conf=/etc/fonts/conf.d/60-zelta-fonts.conf
if ! cmp -s "$here/../resources/fonts/zelta-fonts.conf" "$fonts_conf"; then
  install -m 0644 "$here/../resources/fonts/zelta-fonts.conf" "$fonts_conf"
  fc-cache -f >/dev/null
fi
