#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Vintrel with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, so the libFuzzer harnesses build in the same tree) and runs
# every test, the bounded fuzzing runs included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"

build="$root/build/test"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DVINTREL_SANITIZE=ON -DVINTREL_FUZZ=ON -DVINTREL_TESTS=ON
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2
