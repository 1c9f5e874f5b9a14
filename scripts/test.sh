#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal build
# and one with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
jobs="$(nproc)"

run_suite() {  # name, build folder, cmake options...
  local name=$1 dir=$2
  shift 2
  echo "=== ${name} build ==="
  cmake -S . -B "$dir" "$@"
  cmake --build "$dir" -j"$jobs"
  echo "=== ${name} tests ==="
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300
}

run_suite normal build -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite sanitizers build-asan -DCMAKE_BUILD_TYPE=Debug -DTORVAK_SANITIZE=ON -DTORVAK_BENCHMARKS=OFF
