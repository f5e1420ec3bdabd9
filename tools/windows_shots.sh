#!/usr/bin/env bash
# Screenshots of toravi.exe running under Wine, for the README:
#   tools/windows_shots.sh build-windows/bin/toravi.exe docs/images
# Takes the launcher, then the tooltip module's window opened from it (Space on
# the launcher's first button), each cropped to its window.
set -euo pipefail
exe=$(realpath "$1")
out=$(realpath "$2")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp &
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export WINEDEBUG=-all LC_ALL=C.UTF-8
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows/wineprefix}
# No window manager here: Wine draws the Windows title bars and frames itself.
# Their buttons' glyphs come from Wine's Marlett font.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" && cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

id=""
shot() {  # shot TITLE FILE: the first window whose title is TITLE; leaves its id in $id
  local geometry
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.3
  done
  sleep 2  # let it paint
  xdotool windowactivate --sync "$id" 2>/dev/null || true
  geometry=$(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+" x "+" y}')
  import -window root -crop "$geometry" +repage "$2"
  echo "$2"
}

(cd "$work" && wine "$exe") &
shot "Toravi 2" "$out/windows-accueil.png"
xdotool windowfocus --sync "$id" 2>/dev/null || true
xdotool key space
shot "Toravi - Générateur de page Web interactive" "$out/windows-info-bulles.png"
wineserver -k || true
