#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Vintrel and runs the main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVINTREL_TESTS=OFF
cmake --build "$build" --target vintrel vintrel-cli

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/app/editor/vintrel" "$root/samples/fire.stn"
fi
# No display: draw a frame of the sample off-screen instead.
"$build/app/vintrel-cli" render "$root/samples/fire.stn" --frame 30 --size 640x360 -o "$build/fire-frame30.png"
echo "No display: frame 30 of samples/fire.stn is in $build/fire-frame30.png"
