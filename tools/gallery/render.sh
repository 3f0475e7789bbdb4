#!/bin/sh
# Builds the gallery and renders it at 1x and 2x into the given folder.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/build/gallery/out}
cmake -S "$here" -B "$root/build/gallery" >/dev/null
cmake --build "$root/build/gallery" -j2 >/dev/null
for scale in 1 2; do
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
        "$root/build/gallery/picture_gallery" "$out/${scale}x"
done
echo "$out"
