#!/usr/bin/env bash
# Proves the Windows build under Wine: builds it with its tests (scripts/windows.sh),
# runs the core, command-line and window tests on Qt's offscreen platform, checks
# that toravi.exe makes the same pages as the Linux build, byte for byte, and that
# the installer installs and uninstalls silently. Exits non-zero on any failure.
#   TORAVI_WINDOWS_SHOTS=DIR also takes screenshots of the program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
build=${WINDOWS_BUILD_DIR:-build-windows}

TORAVI_WINDOWS_TESTS=ON bash scripts/windows.sh | tee /tmp/toravi-windows-build.log
installer=$(tail -n 1 /tmp/toravi-windows-build.log)
# The Linux program, whose pages the Windows one must match.
cmake -S . -B "${BUILD_DIR:-build}" >/dev/null && cmake --build "${BUILD_DIR:-build}" -j "$(nproc)" --target toravi >/dev/null

CACHE=${TORAVI_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/toravi-windows}
# Names with accents reach the Windows program as they are.
export LC_ALL=C.UTF-8
export WINEPREFIX=$CACHE/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX/drive_c" ] || { echo "== Préfixe Wine (une seule fois)"; wineboot -i >/dev/null 2>&1 || true; wineserver -w; }

passed=0; failed=0
check() {  # check NAME COMMAND...: one line per check, like a test runner
  if "$@"; then echo "ok   $1"; passed=$((passed + 1)); else echo "FAIL ${1}"; failed=$((failed + 1)); fi
}

echo "== Tests du cœur, de la ligne de commande et des fenêtres sous Wine"
export QT_QPA_PLATFORM=offscreen
unit_tests() { ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -E '^(browser_.*|package)$' --timeout 600; }
check unit_tests

exe=$build/bin/toravi.exe
version_line() { [ "$(wine "$exe" --version | tr -d '\r')" = "toravi $(sed -n 's/^project(toravi VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ]; }
check version_line

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
same_pages() {  # same_pages EXAMPLE [FOLDER]: both programs generate it, read from and written to folders with accents
  local example=$1 name project
  name=$(basename "$example" .txt)
  project="$work/Cahier d'élève/$(basename "$(dirname "$example")")/$name.txt"
  mkdir -p "$work/Cahier d'élève" && cp -r "${2:-resources/exemples}/$(dirname "$example")" "$work/Cahier d'élève/"
  "$top/${BUILD_DIR:-build}/bin/toravi" generate --folder "$work/linux/Élève $name" "$project" >/dev/null &&
  wine "$exe" generate --folder "$work/windows/Élève $name" "$project" >/dev/null &&
  diff -r "$work/linux/Élève $name" "$work/windows/Élève $name" &&
  [ -n "$(ls "$work/windows/Élève $name/img")" ]
}
# WebP and TIFF pictures (tests/data), shown as they are or copied upright in JPEG or PNG.
check same_pages pictures/webp.txt tests/data
check same_pages pictures/tiff.txt tests/data
check same_pages info-bulles/ile.txt
check same_pages glisser-deposer/bureau.txt
same_exports() {  # same_exports EXAMPLE: the page in one file and the SCORM package, byte for byte
  local name=$(basename "$1" .txt) side
  local project="$work/Cahier d'élève/$(basename "$(dirname "$1")")/$name.txt"
  for side in linux windows; do mkdir -p "$work/$side/Envois $name"; done
  export_with() { "$@" generate --folder "$work/$side/Élève $name" --single-file "$work/$side/Envois $name/$name élève.htm" \
                    --scorm "$work/$side/Envois $name/$name.zip" "$project" >/dev/null; }
  side=linux; export_with "$top/${BUILD_DIR:-build}/bin/toravi" &&
  side=windows; export_with wine "$exe" &&
  cmp "$work/linux/Envois $name/$name élève.htm" "$work/windows/Envois $name/$name élève.htm" &&
  cmp "$work/linux/Envois $name/$name.zip" "$work/windows/Envois $name/$name.zip"
}
check same_exports info-bulles/ile.txt
check same_exports glisser-deposer/bureau.txt
same_cutout() {  # same_cutout PICTURE OBJECT...: both programs cut the same objects out of one picture
  local picture=$1 side a b n total=0 pixels=0
  shift
  for side in linux windows; do mkdir -p "$work/$side/Découpe"; done
  "$top/${BUILD_DIR:-build}/bin/toravi" cutout --folder "$work/linux/Découpe" --project "$work/linux/Découpe/découpe.txt" \
    "$picture" "$@" >/dev/null &&
  wine "$exe" cutout --folder "$work/windows/Découpe" --project "$work/windows/Découpe/découpe.txt" \
    "$picture" "$@" >/dev/null || return 1
  # The same files, the same lines but for the folders; outlines may part by a few edge pixels.
  diff <(ls "$work/linux/Découpe/img") <(ls "$work/windows/Découpe/img") || return 1
  for a in "$work/linux/Découpe/img"/*.png "$work/linux/Découpe/img"/*.jpg; do
    [ -f "$a" ] || continue
    b="$work/windows/Découpe/img/$(basename "$a")"
    [ "$(identify -format '%wx%h' "$a")" = "$(identify -format '%wx%h' "$b")" ] || { echo "  $(basename "$a") : tailles différentes"; return 1; }
    pixels=$(identify -format '%[fx:w*h]' "$a")
    case $a in
      *-vide.*)  # the emptied scene: its filled places may part by a shade
        n=$(compare -metric AE -fuzz 3% "$a" "$b" null: 2>&1 || true)
        [[ $n =~ ^[0-9]+$ ]] || return 1
        echo "  $(basename "$a") : $n pixels différents de plus de 3 % sur $pixels" ;;
      *)
        convert "$a" -alpha extract -threshold 50% "$work/contour-a.png" &&
          convert "$b" -alpha extract -threshold 50% "$work/contour-b.png" || return 1
        n=$(compare -metric AE "$work/contour-a.png" "$work/contour-b.png" null: 2>&1 || true)
        [[ $n =~ ^[0-9]+$ ]] || return 1
        echo "  $(basename "$a") : $n pixels de contour différents sur $pixels"
        total=$((total + ${n%%.*}))
        [ "${n%%.*}" -le $((pixels / 100)) ] || return 1 ;;
    esac
  done
  echo "  en tout : $total pixels de contour différents"
}
check same_cutout resources/exemples/glisser-deposer/plage.png "Le seau=box:86,320,90,96" "Le crabe=box:290,370,106,70" \
  "Le ballon=box:210,290,80,80" "Le soleil=wand:90,70" \
  "Le bateau=outline:297,227;351,152;354,153;354,224;356,224;356,162;360,162;403,225;407,232;387,256;313,256;293,232"
# A failure is said on the console it was started from, with a non-zero code.
refusal() { ! wine "$exe" generate "$work/absent.txt" 2>"$work/err" && grep -q "n'a pas pu être lu" "$work/err"; }
check refusal

echo "== Installation et désinstallation silencieuses"
user=$(id -un)
programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Toravi\ 2
menu=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Toravi\ 2.lnk
installs() {
  wine "$installer" /S && wineserver -w &&
  [ -f "$programs/toravi.exe" ] && [ -f "$programs/exemples/info-bulles/ile.txt" ] && [ -f "$menu" ] &&
  [ "$(wine "$programs/toravi.exe" --version | tr -d '\r')" = "$(wine "$exe" --version | tr -d '\r')" ]
}
uninstalls() { wineserver -w && wine "$programs/desinstaller.exe" /S && wineserver -w && [ ! -e "$programs" ] && [ ! -e "$menu" ]; }
check installs
check uninstalls

if [ -n "${TORAVI_WINDOWS_SHOTS:-}" ]; then
  bash tools/windows_shots.sh "$exe" "$TORAVI_WINDOWS_SHOTS"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
