#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
fail=0
# The program, its examples and the red dot are proved below by a page made from an example.
for f in ./usr/share/toravi/transparentpixel.gif ./usr/share/toravi/exemples/glisser-deposer/bureau.txt \
         ./usr/share/applications/toravi.desktop ./usr/share/icons/hicolor/scalable/apps/toravi.svg; do
  grep -qx -- "$f" <<<"$contents" || { echo "absent du paquet : $f"; fail=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 qt6-image-formats-plugins qt6-translations-l10n; do
  grep -q "$d" <<<"$depends" || { echo "dépendance absente : $d ($depends)"; fail=1; }
done
# The installed program finds its marker pictures and writes a page from an example.
root="$out/root"
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/toravi" --version | grep -qx "toravi [0-9.]*" || { echo "toravi --version ne répond pas"; fail=1; }
"$root/usr/bin/toravi" generate --folder "$out/page" "$root/usr/share/toravi/exemples/info-bulles/ile.txt" >/dev/null ||
  { echo "le programme installé ne crée pas la page de l'exemple"; fail=1; }
for f in ile.htm interact.js img/ile.png img/ptrouge.gif; do
  [ -s "$out/page/$f" ] || { echo "absent de la page créée : $f"; fail=1; }
done
[ $fail -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $fail
