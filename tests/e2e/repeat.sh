#!/usr/bin/env bash
# The flake budget: the whole Windows suite (build/win's ctest: the exe's
# checks, the maker's disc and every end-to-end test) N times in a row from
# a fresh build, then each test's tally. A test that fails once in the tally
# is a defect to mend, never one to run again until it passes.
#   tests/e2e/repeat.sh N
# Each run's log is build/repeat/run-K.log; exits 1 if any run failed.
set -u
cd "$(dirname "$0")/../.."
n=${1:?usage: tests/e2e/repeat.sh N}
logs=build/repeat
rm -rf build/win "$logs" && mkdir -p "$logs"
{ cmake --preset win && cmake --build --preset win; } >"$logs/build.log" 2>&1 || { echo "build failed: $logs/build.log"; exit 1; }
for k in $(seq "$n"); do
    SECONDS=0
    ctest --preset win >"$logs/run-$k.log" 2>&1
    echo "run $k: $(grep -E 'tests passed, [0-9]+ tests? failed' "$logs/run-$k.log") in $SECONDS s"
    grep -E '^ *[0-9]+ - ' "$logs/run-$k.log"
done
# Per test: how many runs it passed (ctest's "Passed"), of N.
echo "tally over $n runs:"
cat "$logs"/run-*.log | awk -v n="$n" '$2 == "Test" && $3 ~ /^#/ { name = $4; p[name] += / Passed /; bad += !/ Passed / }
    END { for (t in p) printf "  %-34s %d/%d\n", t, p[t], n | "sort"; close("sort"); exit bad > 0 }'
