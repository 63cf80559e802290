#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in a build folder of their own and
# runs each one on its seed corpus.
#   scripts/fuzz.sh [--short|--long] [BUILD_DIR]
# --short (a few seconds a target) is what the test suite runs; --long
# (FUZZ_SECONDS, default 300, a target) is `make fuzz`. Exits 77 (skipped)
# when clang or its libFuzzer runtime is missing.
set -euo pipefail
mode=${1:---short}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${2:-$source_dir/build-fuzz}
case $mode in
  --short) seconds=${FUZZ_SECONDS:-5} ;;
  --long) seconds=${FUZZ_SECONDS:-300} ;;
  *) echo "usage: $0 [--short|--long] [BUILD_DIR]" >&2; exit 2 ;;
esac
targets=(fuzz_grouptable fuzz_lockedheader)

if ! command -v clang++ >/dev/null; then
  echo "SKIPPED: clang++ is not installed (scripts/install-deps.sh installs clang and libclang-rt-14-dev)"
  exit 77
fi
mkdir -p "$build_dir"
probe=$build_dir/libfuzzer-probe
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }' \
    | clang++ -fsanitize=fuzzer -x c++ - -o "$probe" 2>"$probe.log"; then
  echo "SKIPPED: clang++ cannot link libFuzzer (install libclang-rt-14-dev):"
  cat "$probe.log"
  exit 77
fi

if [[ ! -f $build_dir/CMakeCache.txt ]]; then
  cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DCMAKE_CXX_COMPILER=clang++ -DSWEEPORA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build_dir" --target "${targets[@]}" -j"${JOBS:-2}" >/dev/null

status=0
for target in "${targets[@]}"; do
  # New inputs go to a corpus in the build folder; the seeds stay as they are.
  corpus=$build_dir/corpus/$target
  mkdir -p "$corpus"
  echo "== $target: $seconds s"
  if ! "$build_dir/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build_dir/$target-" -print_final_stats=1 \
      "$corpus" "$source_dir/tests/fuzz/corpus/${target#fuzz_}" 2>"$build_dir/$target.log"; then
    echo "$target FAILED; the input that failed is in $build_dir/$target-*"
    tail -n 60 "$build_dir/$target.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$build_dir/$target.log" || true
  fi
done
exit $status
