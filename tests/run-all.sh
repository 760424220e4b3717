#!/usr/bin/env bash
# Builds both trees and runs every test: the portable core (host g++), then
# the shipped exe's imports and resources, its CD image, and the menu end to
# end under Wine.
# Prints each tree's ctest summary and a last line "N passed, N failed".
set -u
cd "$(dirname "$0")/.."

passed=0
failed=0
status=0
for preset in native win; do
    log=build/$preset.log
    mkdir -p build
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } >"$log" 2>&1; then
        echo "$preset: build failed; see $log"
        tail -20 "$log"
        status=1
        continue
    fi
    out=$(ctest --preset "$preset" 2>&1)
    rc=$?
    printf '%s\n' "$out" >>"$log"
    summary=$(printf '%s\n' "$out" | grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' | tail -1)
    echo "$preset: ${summary:-no test summary}"
    if [ $rc -ne 0 ]; then
        printf '%s\n' "$out" | sed -n '/The following tests FAILED/,$p'
        status=1
    fi
    if [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    fi
done
# A quick smoke run of the measurement harness (bench/run.sh --quick).
if [ $status -eq 0 ]; then
    if bench/run.sh --quick >build/bench-smoke.log 2>&1 && grep -q '^| size, bytes' build/bench/performance.md; then
        echo "bench: smoke run passed (build/bench/performance.md)"
        passed=$((passed + 1))
    else
        echo "bench: smoke run failed; see build/bench-smoke.log"
        tail -20 build/bench-smoke.log
        failed=$((failed + 1))
        status=1
    fi
fi
echo "$passed passed, $failed failed"
exit $status
