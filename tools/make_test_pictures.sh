#!/usr/bin/env bash
# Makes the WebP, TIFF, HEIC and AVIF pictures of tests/data/pictures with real
# encoders from Debian (imagemagick, webp, libtiff-tools); run by hand, its
# output is kept. Red, green, blue and white quarters under a gradient, so that
# a turned or mirrored copy shows it.
set -euo pipefail
out=${1:-$(dirname "$0")/../tests/data/pictures}
mkdir -p "$out"
out=$(cd "$out" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

convert -size 80x60 xc:red -size 80x60 xc:lime +append \( -size 80x60 xc:blue -size 80x60 xc:white +append \) \
  -append \( -size 160x120 gradient:gray30-gray90 \) -compose multiply -composite -type TrueColor -depth 8 base.png
convert -size 100x80 xc:none -fill '#2060c0' -draw 'circle 50,40 50,5' -fill red -draw 'rectangle 0,0 30,20' dessin.png
# An EXIF block whose only entry is the orientation 6 (taken with the phone turned).
printf 'II*\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00' >exif.bin

cwebp -quiet -q 80 base.png -o "$out/photo.webp"
cwebp -quiet -lossless -exact dessin.png -o "$out/dessin.webp"
convert -size 64x48 xc:orange f1.png && convert -size 64x48 xc:purple f2.png
img2webp -loop 0 f1.png -d 200 f2.png -o "$out/anime.webp" >/dev/null 2>&1
cwebp -quiet -q 80 base.png -o plain.webp && webpmux -set exif exif.bin plain.webp -o "$out/tourne.webp" >/dev/null 2>&1
# A cut-out photo, lossy with transparency, taken turned: the extended header's alpha flag alone says so.
cwebp -quiet -q 50 dessin.png -o plain.webp && webpmux -set exif exif.bin plain.webp -o "$out/detoure.webp" >/dev/null 2>&1
# Small ones, whose every byte the tests spoil.
convert base.png -resize 16x12 small.png && cwebp -quiet -q 50 small.png -o plain.webp &&
  webpmux -set exif exif.bin plain.webp -o "$out/petit.webp" >/dev/null 2>&1
convert base.png -resize 8x6 -type TrueColor -compress none -orient left-bottom "$out/petit.tif"

convert base.png -type TrueColor -compress lzw "$out/scan.tif"
convert base.png -type TrueColor -depth 16 -compress zip "$out/scan16.tif"
convert base.png -colorspace CMYK -compress zip "$out/cmyk.tif"
convert base.png -colorspace CMYK -depth 16 -compress zip "$out/cmyk16.tif"
convert base.png -type TrueColor -compress zip -orient right-top "$out/tourne.tif"
convert dessin.png -compress zip "$out/dessin.tif"
convert base.png -monochrome -compress group4 "$out/trait.tif"
convert base.png -type TrueColor -compress jpeg "$out/scanjpeg.tif"
convert -size 50x30 xc:yellow -type TrueColor p2.tif && tiffcp "$out/scan.tif" p2.tif "$out/pages.tif"

convert base.png "$out/photo.heic"
convert base.png "$out/photo.avif"
