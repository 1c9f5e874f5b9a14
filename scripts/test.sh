#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal build,
# run as an ordinary user, and one with AddressSanitizer and
# UndefinedBehaviorSanitizer. Then the threaded tests once more under
# ThreadSanitizer, and a minute of fuzzing for each libFuzzer target (built
# with clang).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
jobs="$(nproc)"
# Every build of the test command treats warnings as errors.
werror=-DTORVAK_WERROR=ON

run_suite() {  # name, build folder, cmake options...
  local name=$1 dir=$2
  shift 2
  echo "=== ${name} build ==="
  cmake -S . -B "$dir" "$werror" "$@"
  cmake --build "$dir" -j"$jobs"
  echo "=== ${name} tests ==="
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300
}

# Contributors and users do not build as root. Run as root, the normal build
# and its tests run as the user "nobody", on a copy of the sources in a
# scratch folder that user owns.
run_suite_as_ordinary_user() {  # name, cmake options...
  if [ "$(id -u)" -ne 0 ]; then
    run_suite "$1" build "${@:2}"
    return
  fi
  local scratch
  scratch="$(mktemp -d)"
  mkdir "$scratch/src"
  tar --exclude='./build*' --exclude='./.git' -cf - . | tar -xf - -C "$scratch/src"
  chown -R nobody:nogroup "$scratch"
  echo "=== $1 build and tests, as the user nobody ==="
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$scratch" TMPDIR="$scratch" XDG_RUNTIME_DIR="$scratch" \
    bash -c 'set -e; cd "$1/src"; jobs=$2; shift 2
             cmake -S . -B build "$@"
             cmake --build build -j"$jobs"
             ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300' \
    _ "$scratch" "$jobs" "$werror" "${@:2}"
  rm -rf "$scratch"
}

run_thread_sanitizer() {
  local dir=build-tsan programs=(test_scan_qt test_ui test_e2e)
  echo "=== thread sanitizer build ==="
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DTORVAK_TSAN=ON -DTORVAK_BENCHMARKS=OFF "$werror"
  cmake --build "$dir" -j"$jobs" --target "${programs[@]}"
  echo "=== thread sanitizer tests ==="
  local program
  for program in "${programs[@]}"; do
    # Tests start helper programs (the emulated head, pdftotext): a child of
    # the threaded test may start threads before it replaces itself.
    TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp:history_size=7:die_after_fork=0" "$dir/tests/$program"
  done
}

# Fuzzes a target for a minute on a copy of its seed corpus; a crash, a
# failed check or an input taking over 10 s fails it. Its log and any
# crashing input stay in the work folder, never in the repository.
fuzz_target() {  # build folder, target, work folder
  local program=$1/fuzz/fuzz_$2 corpus=$3/$2
  mkdir -p "$corpus"
  cp fuzz/corpus/"$2"/* "$corpus"/
  "$program" -max_total_time=60 -timeout=10 -artifact_prefix="$3/$2-" "$corpus" >"$3/$2.log" 2>&1
}

# One line from libFuzzer's last status line: executions, coverage, corpus.
fuzz_summary() {  # target, log
  local line
  line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$2" | tail -n 1)"
  [[ $line =~ ^#([0-9]+).*cov:\ ([0-9]+)\ ft:\ ([0-9]+)\ corp:\ ([0-9]+) ]]
  printf 'fuzz_%s: %s executions, %s edges covered (%s features), corpus %s inputs\n' \
    "$1" "${BASH_REMATCH[@]:1}"
}

run_fuzzers() {
  local dir=build-fuzz targets=(scan background)
  echo "=== fuzz build ==="
  cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVAK_FUZZ=ON \
    -DTORVAK_BENCHMARKS=OFF "$werror"
  cmake --build "$dir" -j"$jobs" --target "${targets[@]/#/fuzz_}"
  echo "=== fuzzing ==="
  local work i failed=0 pids=()
  work="$(mktemp -d)"
  for i in "${!targets[@]}"; do
    fuzz_target "$dir" "${targets[i]}" "$work" &
    pids[i]=$!
  done
  for i in "${!targets[@]}"; do
    local target=${targets[i]}
    if wait "${pids[i]}"; then
      fuzz_summary "$target" "$work/$target.log"
    else
      failed=1
      tail -n 60 "$work/$target.log"
      echo "fuzz_$target FAILED"
    fi
  done
  rm -rf "$work"
  return "$failed"
}

run_suite_as_ordinary_user normal -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite sanitizers build-asan -DCMAKE_BUILD_TYPE=Debug -DTORVAK_SANITIZE=ON -DTORVAK_BENCHMARKS=OFF
run_thread_sanitizer
run_fuzzers
