#!/usr/bin/env bash
# Builds and runs the whole test suite: a normal build, the core built for Windows and tested
# under Wine, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a ThreadSanitizer build, and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/tools/install-deps.sh"

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

build_and_test() {
  local dir=$1; shift
  echo "==> $dir"
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

build_and_test build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The core built for Windows with MinGW-w64, its tests run under Wine against the simulated
# device of the build above.
echo "==> build/win (Wine)"
./tools/wine-test.sh build/release

# halt_on_error keeps a sanitizer report from passing unnoticed.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
build_and_test build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DENABLE_SANITIZERS=ON
# Qt's own libraries are not built for ThreadSanitizer; the threads live in the core, which this
# build covers with every test that does not need widgets.
build_and_test build/tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DENABLE_TSAN=ON -DBUILD_GUI=OFF

echo "==> fuzz (${fuzz_seconds} s per target)"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DENABLE_FUZZING=ON -DBUILD_TESTING=OFF -DBUILD_GUI=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  corpus="build/fuzz/corpus/$(basename "$target")"
  mkdir -p "$corpus"
  "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" fuzz/corpus/"$(basename "$target")" 2>&1 | tail -n 12
done
echo "all tests passed"
