#!/usr/bin/env bash
# Builds the sanitized clang tree (build-fuzz: AddressSanitizer,
# UndefinedBehaviorSanitizer and the libFuzzer targets), runs the whole test
# suite in it, then runs every fuzz target for SECONDS seconds, two at a
# time. Fails on any failing test, crash, hang, leak or sanitizer report.
#   tests/fuzz/run_all.sh [SECONDS]      (default 20)
# Findings are kept in build-fuzz/fuzz-artifacts/; a finding is replayed with
#   build-fuzz/tests/fuzz/fuzz_TARGET FILE
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
SECONDS_EACH=${1:-20}
BUILD=${S1ORDO_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}
TARGETS=(converters title_sheets table_reader item_reader settings text)
# Longest input per target: long enough for huge lines and long records.
declare -A MAX_LEN=([converters]=20000 [title_sheets]=8192 [table_reader]=65536 [item_reader]=65536
                    [settings]=4096 [text]=4096)

missing=()
command -v clang++ >/dev/null || missing+=(clang)
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || missing+=(libclang-rt-14-dev)
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A build folder made already (./dev.sh test) keeps its own settings.
if [ -f "$BUILD/CMakeCache.txt" ]; then
  cmake "$BUILD" -DS1ORDO_FUZZ=ON >/dev/null
else
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DS1ORDO_BUILD_GUI=OFF -DS1ORDO_FUZZ=ON >/dev/null
fi
cmake --build "$BUILD" -j2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# S1ORDO_FUZZ_SKIP_TESTS=1: the test suite has just run in this build.
[ -n "${S1ORDO_FUZZ_SKIP_TESTS:-}" ] || (cd "$BUILD" && ctest --output-on-failure -j2)

# The fuzz targets write their scratch files to memory when they can.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
ARTIFACTS="$BUILD/fuzz-artifacts"
mkdir -p "$ARTIFACTS"

run_target() {
  local t=$1 work="$BUILD/fuzz-corpus/$1" log="$BUILD/fuzz-$1.log"
  mkdir -p "$work"
  if "$BUILD/tests/fuzz/fuzz_$t" -max_total_time="$SECONDS_EACH" -max_len="${MAX_LEN[$t]}" \
       -timeout=25 -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
       -artifact_prefix="$ARTIFACTS/$t-" "$work" "$ROOT/tests/fuzz/corpus/$t" >"$log" 2>&1; then
    echo "fuzz_$t: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, no finding"
  else
    echo "fuzz_$t: FAILED (log $log)"
    grep -E 'ERROR|SUMMARY|runtime error|fuzz check failed|Test unit written' "$log" | head -20
    return 1
  fi
}

failed=0
for ((i = 0; i < ${#TARGETS[@]}; i += 2)); do
  pids=()
  for t in "${TARGETS[@]:i:2}"; do
    run_target "$t" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
done
exit $failed
