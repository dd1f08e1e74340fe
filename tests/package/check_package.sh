#!/usr/bin/env bash
# Proves that the installed layout works without the build tree: unpacks the package
# into a temporary root and runs what it holds from there.
#   check_package.sh PACKAGE.deb MAPDATA_FOLDER
set -euo pipefail
deb=$(realpath "$1")
mapdata=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$work/root"
dpkg-deb -f "$deb" Depends | grep -q "qt6-translations-l10n" ||
  fail "the package does not depend on Qt's translations"
usr=$work/root/usr
for program in quorvane quorvane-cli quorvane-datakit; do
  [ -L "$usr/bin/$program" ] || fail "usr/bin/$program is not a link"
  [ -x "$usr/lib/quorvane/$program" ] || fail "usr/lib/quorvane/$program is missing"
done
[ -d "$usr/lib/quorvane/data" ] || fail "the data folder is missing"
[ -f "$usr/share/man/man1/quorvane-cli.1.gz" ] || fail "the manual page is missing"
[ -f "$usr/share/icons/hicolor/scalable/apps/org.quorvane.Quorvane.svg" ] || fail "no scalable icon"
desktop-file-validate "$usr/share/applications/org.quorvane.Quorvane.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml" >/dev/null

"$usr/bin/quorvane-cli" --help >"$work/help.txt"
grep -q "^usage: quorvane-cli" "$work/help.txt" || fail "quorvane-cli --help says no usage"

# A small kit from the unpacked generator, and an export from the unpacked tool with
# the installed data folder (the kit's sites are among the installed catalogue's).
"$usr/bin/quorvane-datakit" --mapdata "$mapdata" --out "$work/kit" --sites 3 --quiet
hourly=$(find "$work/kit/HORIX-11" -name 'mea*.txt' | head -n 1)
site=$(basename "$hourly" .txt); site=${site#mea}
"$usr/bin/quorvane-cli" export --hourly "$work/kit/HORIX-11" --site "$site" --period year \
  --format epw --output "$work/site.epw"
[ "$(wc -l <"$work/site.epw")" -eq 8768 ] || fail "the exported EPW file does not hold 8760 hours"

# The unpacked program on a virtual display, until its main menu window shows.
mkdir -p "$work/config/Quorvane" "$work/runtime"
chmod 700 "$work/runtime"
printf '[DataDir]\r\nHorix=%s\r\nKalvera=%s\r\n' "$work/kit/HORIX-11" "$work/kit/KALVERA-11" \
  >"$work/config/Quorvane/system.ini"
cat >"$work/probe.sh" <<PROBE
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime "$usr/bin/quorvane" &
pid=\$!
for _ in \$(seq 1 100); do
  if xdotool search --onlyvisible --name '^Quorvane\$' >/dev/null 2>&1; then
    kill \$pid
    exit 0
  fi
  kill -0 \$pid 2>/dev/null || exit 1
  sleep 0.1
done
kill \$pid
exit 1
PROBE
xvfb-run -a -s "-screen 0 1366x768x24" bash "$work/probe.sh" || fail "the main window did not show"
echo "check_package: $(basename "$deb") installs and runs"
