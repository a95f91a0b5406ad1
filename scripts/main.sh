#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Vintrel and runs the main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVINTREL_TESTS=OFF
cmake --build "$build" --target vintrel-cli

"$build/app/vintrel-cli" info "$root/samples/fire.stn"
