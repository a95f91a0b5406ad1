#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Vintrel with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, so the libFuzzer harnesses build in the same tree) and runs
# every test, the bounded fuzzing runs included; then builds the engine, persistence and
# document tests with ThreadSanitizer and runs the ones where threads meet (the worker, the
# autosave, the editor's document editing while the worker runs, an export drawn while the
# document is edited).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"

# The checked builds are compiled for quick turns rather than speed: -O1 (what the sanitizers'
# authors advise) and line tables only (stack traces keep their files and lines), linked by lld.
checked_flags=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG"
               -DCMAKE_EXE_LINKER_FLAGS_INIT=-fuse-ld=lld)

build="$root/build/test"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${checked_flags[@]}" \
  -DVINTREL_SANITIZE=ON -DVINTREL_FUZZ=ON -DVINTREL_TESTS=ON -DVINTREL_BENCH=ON
cmake --build "$build"

# The leak check reads every thread's dynamic TLS blocks, as it records them from calls of
# __tls_get_addr. The blocks of the libraries that the OpenGL driver loads are what the check of
# clang 14 crashes on at exit ("Tracer caught signal 11"), depending on the memory layout: with
# glibc's optional static surplus it takes them for blocks of garbage size, and without it the
# crash still comes now and then, in more programs the more shader programs they link. So the
# check does not record dynamic TLS blocks (intercept_tls_get_addr=0); the program's own TLS
# and that of the libraries it links are static and still scanned, and a leak is still reported.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export GLIBC_TUNABLES=glibc.rtld.optional_static_tls=0
ctest --test-dir "$build" --output-on-failure -j2

tsan="$root/build/tsan"
cmake -S "$root" -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${checked_flags[@]}" -DCMAKE_CXX_FLAGS=-fsanitize=thread \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DVINTREL_TESTS=ON
cmake --build "$tsan" --target test_engine test_model test_persist test_ui_document test_export_job
TSAN_OPTIONS="halt_on_error=1 suppressions=$root/tests/tsan.supp" ctest --test-dir "$tsan" --output-on-failure -j2 \
  -R '^(SimulationWorker|AutosaveTest|CurveThreads|ExportJobTest)\.|^DocumentTest\.EditsSavesAndAutosavesWhileTheWorkerSteps$'

# The build the README's main job makes, here with CMake's default generator: the programs bring
# the video tool with them, and a video exported with that build is read back by ffprobe.
default="$root/build/default"
cmake -S "$root" -B "$default" -DCMAKE_BUILD_TYPE=Release -DVINTREL_TESTS=OFF
cmake --build "$default" --target vintrel vintrel-cli -- -j2
bash "$root/tests/install/main_build_video_test.sh" "$default"
