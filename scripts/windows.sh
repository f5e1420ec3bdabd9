#!/usr/bin/env bash
# Builds Toravi for Windows on Debian 12 (as root or with sudo): installs what is
# missing, builds Qt for Windows once into a cache outside the repository, then
# toravi.exe (one static file), and writes into dist/ a portable zip and an
# installer. Prints the paths of the two files last.
#   TORAVI_WINDOWS_TESTS=ON also builds the tests (scripts/test-windows.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

PACKAGES=(cmake ninja-build make dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libzip-dev libz-mingw-w64-dev
          nsis zip unzip python3 python3-markdown fp-utils-3.2.2
          wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick)
source scripts/packages.sh
install_missing "${PACKAGES[@]}"

QT=$(bash scripts/windows-qt.sh | tail -n 1)
LIBZIP=$(bash scripts/windows-libzip.sh | tail -n 1)
OPENCV=$(bash scripts/windows-opencv.sh | tail -n 1)
version=$(sed -n 's/^project(toravi VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build=${WINDOWS_BUILD_DIR:-build-windows}
# The WebP and TIFF readers, linked into toravi.exe.
bash scripts/windows-imageformats.sh "$QT"

echo "== Construction de toravi.exe"
"$QT/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTORAVI_BUILD_TESTS="${TORAVI_WINDOWS_TESTS:-OFF}" -DTORAVI_BUILD_BENCH=OFF \
  -DTORAVI_QT_TRANSLATIONS=/usr/share/qt6/translations/qtbase_fr.qm \
  -DTORAVI_LIBZIP_PREFIX="$LIBZIP" -DOpenCV_DIR="$OPENCV" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
nice cmake --build "$build" -j "$(nproc)"

echo "== Dossier portable, aide, zip et installateur"
dist=$top/dist
stage=$dist/work/Toravi-$version
rm -rf "$dist/work" && mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/toravi.exe" "$build/bin/toravi.exe"
cp resources/ptrouge.gif resources/transparentpixel.gif "$stage/"
cp -r resources/exemples "$stage/exemples"

# The help document that "Aide" opens: the teacher's guide as compiled HTML help.
help=$dist/work/help
mkdir -p "$help/images"
cp docs/images/*.png "$help/images/"
/usr/bin/python3 - "$help" <<'EOF'
import re, sys, markdown
out = sys.argv[1]
text = open('README.md', encoding='utf-8').read()
# The teacher's part only; the developers' part stays in the repository.
text = text.split('\n## Pour les développeurs')[0]
text = text.replace('](docs/images/', '](images/')
text = '\n'.join(l for l in text.split('\n') if '(#pour-les-d' not in l)
# Plain ASCII anchors: the help viewer does not follow accented ones.
from markdown.extensions.toc import slugify
from urllib.parse import unquote
text = re.sub(r'\]\(#([^)]*)\)', lambda m: '](#' + slugify(unquote(m.group(1)), '-') + ')', text)
body = markdown.markdown(text, extensions=['tables', 'fenced_code', 'toc'])
page = ('<!DOCTYPE html>\n<html lang="fr"><head><meta charset="windows-1252">'
        '<meta http-equiv="X-UA-Compatible" content="IE=edge"><title>Toravi 2 - Aide</title>'
        '<style>body{font-family:Segoe UI,Arial,sans-serif;margin:1.5em;max-width:60em}'
        'img{max-width:100%}table{border-collapse:collapse}td,th{border:1px solid #999;padding:.3em}'
        'code,pre{background:#eee}</style></head><body>\n' + body + '\n</body></html>\n')
open(out + '/index.htm', 'w', encoding='cp1252', errors='xmlcharrefreplace').write(page)
images = sorted('images/' + n for n in __import__('os').listdir(out + '/images'))
open(out + '/toravi.hhp', 'w', encoding='cp1252').write(
    '[OPTIONS]\nCompiled file=toravi.chm\nDefault topic=index.htm\nDefault Window=main\n'
    'Language=0x40c French (France)\nTitle=Toravi 2 - Aide\n\n'
    '[WINDOWS]\nmain="Toravi 2 - Aide",,,"index.htm","index.htm",,,,,0x2520,,0x3006,,,,,,,,0\n\n'
    '[FILES]\nindex.htm\n' + '\n'.join(images) + '\n')
EOF
(cd "$help" && chmcmd toravi.hhp >/dev/null)
cp "$help/toravi.chm" "$stage/toravi.chm"
printf '%s\r\n' "Toravi $version pour Windows" "" \
  "Double-cliquez sur toravi.exe pour lancer Toravi : rien à installer." \
  "Le menu Aide ouvre le guide (toravi.chm) ; le dossier exemples contient des projets d'exemple pour les deux modules." > "$stage/LISEZMOI.txt"

zipfile=$dist/Toravi-$version-windows-portable.zip
installer=$dist/Toravi-$version-installation.exe
rm -f "$zipfile" "$installer"
(cd "$dist/work" && zip -q -r -X "$zipfile" "Toravi-$version")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$top/resources/windows/toravi.ico" -DOUTFILE="$installer" resources/windows/toravi.nsi
rm -rf "$dist/work/help"

echo "$zipfile"
echo "$installer"
