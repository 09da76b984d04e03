#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the drawings in this folder to the PNG files that the build and
# the package use. The PNGs are committed, so only run this after changing
# a drawing (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"

# 16 x 16 has its own pixel drawing; the larger sizes scale vemdra.svg.
rsvg-convert vemdra-16.svg -o vemdra-16.png
for size in 24 32 48; do
    rsvg-convert -w "$size" -h "$size" vemdra.svg -o "vemdra-$size.png"
done

for picture in about-mountains about-plum; do
    rsvg-convert "$picture.svg" -o "$picture.png"
done

# The Windows program icon, every size in one file (needs ImageMagick).
convert vemdra-16.png vemdra-24.png vemdra-32.png vemdra-48.png vemdra.ico
