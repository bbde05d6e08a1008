#!/usr/bin/env bash
# Sets up, builds and runs every test: the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzzer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
JOBS="$(nproc)"

echo "== tests"
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

echo "== the installed tree and the Debian package"
bash "$ROOT/scripts/check_install.sh" "$BUILD"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
SAN="$ROOT/build-asan"
cmake -S "$ROOT" -B "$SAN" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=ON \
    -DTARVIK_BENCH=OFF >/dev/null
cmake --build "$SAN" -j "$JOBS"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks inside the system's font and display libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan-system.supp:print_suppressions=0"
(cd "$SAN" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

echo "== fuzzing, 60 s a target"
FUZZ="$ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_FUZZ=ON >/dev/null
cmake --build "$FUZZ" -j "$JOBS"
unset ASAN_OPTIONS LSAN_OPTIONS
"$ROOT/fuzz/run.sh" "$FUZZ" 60 "$FUZZ/findings"
echo "All tests passed."
