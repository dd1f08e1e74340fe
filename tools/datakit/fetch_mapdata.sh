#!/usr/bin/env bash
# Fetches Debian's r-cran-mapdata (GPL-2), whose "japan" database holds the
# prefecture outlines, and unpacks it into DIR. Quick when it is already there.
# Without network access it only warns: the kit's tests then skip, and the kit
# generator says which file it misses.
set -euo pipefail
dir=$1
files=$dir/usr/lib/R/site-library/mapdata/mapdata
if [ -f "$files/japan.L" ] && [ -f "$files/japan.G" ] && [ -f "$files/japan.N" ]; then
  exit 0
fi
mkdir -p "$dir"
cd "$dir"
if ! ls r-cran-mapdata_*.deb >/dev/null 2>&1; then
  # Containers often come without package lists: fetch them once and try again.
  if ! apt-get download r-cran-mapdata >/dev/null 2>&1 &&
    ! { [ "$(id -u)" -eq 0 ] && apt-get update -qq >/dev/null 2>&1 &&
      apt-get download r-cran-mapdata >/dev/null 2>&1; }; then
    echo "fetch_mapdata: warning: 'apt-get download r-cran-mapdata' failed (try 'apt-get update')" >&2
    exit 0
  fi
fi
dpkg-deb -x r-cran-mapdata_*.deb .
test -f "$files/japan.L"
