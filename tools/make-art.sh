#!/usr/bin/env bash
# Renders the program's icon and bitmaps from resources/art/*.svg into
# resources/images/, the files the resource script links in.
#
#   tools/make-art.sh            render every picture, then check them all
#   tools/make-art.sh --check    only check the files in resources/images/
#
# Every bitmap a window shows is drawn at 100, 125, 150 and 200 % as well, so
# a screen scaled that far gets a sharp picture: bitmapNNN_125.bmp and so on,
# each as wide and high as the 100 % picture times the scale, rounded to the
# nearest pixel (halves up, as MulDiv does), always 24-bit.
#
# Rendering: rsvg-convert draws each SVG at its exact pixel size on white.
# 24-bit bitmaps are written by ImageMagick as BMP3 (40-byte header).
# 8-bit bitmaps are reduced to at most 256 colours by ImageMagick and packed
# by the small Perl writer below, because ImageMagick picks 1 or 4 bits per
# pixel on its own for pictures with few colours. The icon is packed the same
# way, because ImageMagick writes 32-bit icon images only.
# Output is byte-for-byte the same on every run.
set -euo pipefail
cd "$(dirname "$0")/.."

ART=resources/art
OUT=resources/images

# The real ImageMagick, not a wrapper that may sit earlier on PATH.
CONVERT=/usr/bin/convert
[ -x "$CONVERT" ] || CONVERT=$(command -v convert)
IDENTIFY=/usr/bin/identify
[ -x "$IDENTIFY" ] || IDENTIFY=$(command -v identify)

# name  kind  width  height  scales   (kind at 100 %: ico24, bmp8, bmp24;
# scales: "all" for a picture a window shows, "-" for the icon and the grey
# bar, which only a printed page shows)
SOURCES="
icon107    ico24  32  32  -
bitmap133  bmp8  429 122  all
bitmap135  bmp8  236 194  all
bitmap144  bmp8  160  50  all
bitmap154  bmp24  25  90  -
bitmap155  bmp24  25  90  all
bitmap157  bmp8  500 260  all
bitmap158  bmp8  150 100  all
bitmap159  bmp8  150 100  all
bitmap161  bmp8  183 180  all
bitmap162  bmp8  385 108  all
bitmap163  bmp8   11  16  all
bitmap164  bmp8  604 285  all
bitmap165  bmp8  247 137  all
bitmap166  bmp8  465 153  all
bitmap167  bmp8  349 218  all
bitmap168  bmp8  296 116  all
bitmap173  bmp24 635 272  all
"

# Every file: name, kind, width, height, source. The 100 % picture keeps its
# kind and name; the larger ones follow it.
PICTURES=$(while read -r name kind w h scales; do
  [ -n "$name" ] || continue
  echo "$name $kind $w $h $name"
  [ "$scales" = all ] || continue
  for percent in 125 150 200; do
    echo "${name}_$percent bmp24 $(((w * percent + 50) / 100)) $(((h * percent + 50) / 100)) $name"
  done
done <<<"$SOURCES")

# Perl writer. Reads raw pixels on stdin (RGB for bmp8, RGBA for ico24),
# top row first, and writes a bottom-up Windows bitmap or icon to stdout.
PACK='
use strict; use warnings;
my ($kind, $w, $h) = @ARGV;
binmode STDIN; binmode STDOUT;
local $/; my $raw = <STDIN>;
my $bpp_in = $kind eq "ico24" ? 4 : 3;
length($raw) == $w * $h * $bpp_in or die "pixel data is ", length($raw), " bytes, expected ", $w * $h * $bpp_in, "\n";
sub info { my ($height, $bits, $size, $colours) = @_;
  pack("VllvvVVllVV", 40, $w, $height, 1, $bits, 0, $size, 2835, 2835, $colours, 0) }
if ($kind eq "bmp8") {
  my %seen;
  for (my $i = 0; $i < length $raw; $i += 3) { $seen{substr($raw, $i, 3)} = 1 }
  my @colours = sort keys %seen;
  @colours <= 256 or die scalar(@colours), " colours, at most 256 fit\n";
  my %index; @index{@colours} = 0 .. $#colours;
  my $palette = join "", map { pack("CCCC", (unpack "CCC", $_)[2, 1, 0], 0) } @colours;
  $palette .= "\0" x (4 * (256 - @colours));
  my $stride = ($w + 3) & ~3;
  my $bits = "";
  for (my $y = $h - 1; $y >= 0; $y--) {
    my $row = substr($raw, $y * $w * 3, $w * 3);
    $bits .= pack("C*", map { $index{substr($row, 3 * $_, 3)} } 0 .. $w - 1);
    $bits .= "\0" x ($stride - $w);
  }
  my $offset = 14 + 40 + 1024;
  print "BM", pack("VvvV", $offset + length $bits, 0, 0, $offset), info($h, 8, length $bits, 256), $palette, $bits;
} elsif ($kind eq "ico24") {
  # Pixels at least half covered are drawn with their own colour; the rest
  # are transparent through the mask (black in the colour part, as usual).
  my $stride = ($w * 3 + 3) & ~3;
  my $mstride = (int(($w + 31) / 32)) * 4;
  my ($bits, $mask) = ("", "");
  for (my $y = $h - 1; $y >= 0; $y--) {
    my $row = ""; my @m = (0) x ($mstride * 8);
    for my $x (0 .. $w - 1) {
      my ($r, $g, $b, $a) = unpack "CCCC", substr($raw, ($y * $w + $x) * 4, 4);
      if ($a >= 128) { $row .= pack "CCC", $b, $g, $r } else { $row .= "\0\0\0"; $m[$x] = 1 }
    }
    $bits .= $row . "\0" x ($stride - 3 * $w);
    $mask .= pack "B*", join "", @m;
  }
  my $image = info(2 * $h, 24, length($bits) + length($mask), 0) . $bits . $mask;
  print pack("vvv", 0, 1, 1), pack("CCCCvvVV", $w, $h, 0, 0, 1, 24, length $image, 22), $image;
} else { die "unknown kind $kind\n" }
'

render() {
  local name=$1 kind=$2 w=$3 h=$4 source=$5
  local svg=$ART/$source.svg
  [ -f "$svg" ] || { echo "missing source $svg" >&2; return 1; }
  local png="$TMP/$name.png"
  rsvg-convert -w "$w" -h "$h" -o "$png" "$svg"
  case $kind in
    ico24)
      "$CONVERT" "$png" -depth 8 rgba:- | perl -e "$PACK" ico24 "$w" "$h" >"$OUT/$name.ico"
      ;;
    bmp8)
      "$CONVERT" "$png" -background white -alpha remove -alpha off +dither -colors 256 -depth 8 rgb:- |
        perl -e "$PACK" bmp8 "$w" "$h" >"$OUT/$name.bmp"
      ;;
    bmp24)
      "$CONVERT" "$png" -background white -alpha remove -alpha off -type TrueColor \
        -density 72 -units PixelsPerInch BMP3:"$OUT/$name.bmp"
      ;;
  esac
}

# Reads a little-endian unsigned field of a file: file, offset, byte count.
field() { od -A n -t "u$3" -j "$2" -N "$3" "$1" | tr -d ' '; }

check() {
  local name=$1 kind=$2 w=$3 h=$4 file bad=0
  if [ "$kind" = ico24 ]; then
    file=$OUT/$name.ico
    [ -f "$file" ] || { echo "$file: missing"; return 1; }
    [ "$(field "$file" 2 2)" = 1 ] && [ "$(field "$file" 4 2)" = 1 ] || { echo "$file: not a single-image icon"; bad=1; }
    local at; at=$(field "$file" 18 4)
    [ "$(field "$file" "$at" 4)" = 40 ] || { echo "$file: image header is not 40 bytes"; bad=1; }
    [ "$(field "$file" $((at + 4)) 4)" = "$w" ] && [ "$(field "$file" $((at + 8)) 4)" = $((2 * h)) ] ||
      { echo "$file: not $w x $h"; bad=1; }
    [ "$(field "$file" $((at + 14)) 2)" = 24 ] || { echo "$file: not 24 bits per pixel"; bad=1; }
  else
    file=$OUT/$name.bmp
    [ -f "$file" ] || { echo "$file: missing"; return 1; }
    local bits=${kind#bmp}
    [ "$(head -c 2 "$file")" = BM ] || { echo "$file: no BM signature"; bad=1; }
    [ "$(field "$file" 2 4)" = "$(stat -c %s "$file")" ] || { echo "$file: file size field is wrong"; bad=1; }
    [ "$(field "$file" 14 4)" = 40 ] || { echo "$file: header is not BITMAPINFOHEADER"; bad=1; }
    # A positive height means bottom-up rows.
    [ "$(field "$file" 18 4)" = "$w" ] && [ "$(field "$file" 22 4)" = "$h" ] || { echo "$file: not $w x $h bottom-up"; bad=1; }
    [ "$(field "$file" 28 2)" = "$bits" ] || { echo "$file: not $bits bits per pixel"; bad=1; }
    [ "$(field "$file" 30 4)" = 0 ] || { echo "$file: compressed"; bad=1; }
  fi
  local seen
  seen=$("$IDENTIFY" -format '%w %h' "$file" 2>&1) || { echo "$file: identify failed: $seen"; return 1; }
  [ "$seen" = "$w $h" ] || { echo "$file: identify reads $seen"; bad=1; }
  # A picture must show something: more than one colour.
  local colours; colours=$("$IDENTIFY" -format '%k' "$file")
  [ "$colours" -gt 1 ] || { echo "$file: a single flat colour"; bad=1; }
  return $bad
}

mode=${1:-render}
failed=0
if [ "$mode" != --check ]; then
  command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: run tools/install-deps.sh" >&2; exit 1; }
  TMP=$(mktemp -d)
  trap 'rm -rf "$TMP"' EXIT
  mkdir -p "$OUT"
  while read -r name kind w h source; do
    [ -n "$name" ] || continue
    render "$name" "$kind" "$w" "$h" "$source" || failed=1
  done <<<"$PICTURES"
fi
while read -r name kind w h _; do
  [ -n "$name" ] || continue
  check "$name" "$kind" "$w" "$h" || failed=1
done <<<"$PICTURES"
if [ $failed -ne 0 ]; then
  echo "make-art: some pictures are wrong" >&2
  exit 1
fi
echo "make-art: all pictures checked"
