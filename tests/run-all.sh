#!/usr/bin/env bash
# Builds both trees and runs every test: the portable core (host g++), then
# the shipped exe's imports and resources, its CD image, and the menu end to
# end under Wine; last, the measurement harness's quick run, which fails if
# the menu leaks over 300 hover cycles.
# Prints each tree's ctest summary and a last line "N passed, N failed",
# with ", N skipped" when a test did not run (ctest counts those as passed).
# On a machine that cannot run 32-bit programs (a kernel without ia32
# emulation), the 32-bit end-to-end runs and the bench skip, and the menu
# built as a 64-bit program is run end to end in their place (build/win64).
set -u
cd "$(dirname "$0")/.."
mkdir -p build
passed=0 failed=0 skipped=0
presets="native win" runs32=1
if ! wine --version >/dev/null 2>&1; then presets="$presets win64" runs32=0; fi
for preset in $presets; do
    log=build/$preset.log
    if ! { cmake --preset $preset && cmake --build --preset $preset; } >"$log" 2>&1; then
        echo "$preset: build failed; see $log"; tail -20 "$log"; failed=$((failed + 1)); continue
    fi
    ctest --preset $preset >>"$log" 2>&1
    summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    echo "$preset: ${summary:-no test summary}"
    sed -n '/The following tests FAILED/,$p' "$log"
    # Which checks failed, so a CI log that keeps only this says why.
    grep -hE '^not ok|^# |^[^ ]*: .*(Failure|failed)' build/$preset/Testing/Temporary/LastTest.log 2>/dev/null | head -400
    [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]] || { failed=$((failed + 1)); continue; }
    failed=$((failed + BASH_REMATCH[1]))
    grep '(Skipped)$' "$log"
    n=$(grep -c '(Skipped)$' "$log")
    skipped=$((skipped + n))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1] - n))
done
if [ $runs32 = 0 ]; then
    echo "bench: skipped: this machine cannot run the 32-bit menu it measures"; skipped=$((skipped + 1))
elif [ $failed -eq 0 ]; then
    if bench/run.sh --quick >build/bench-smoke.log 2>&1 && grep -q '^| size, bytes' build/bench/performance.md; then
        echo "bench: the menu's soak held its targets (build/bench/performance.md)"; passed=$((passed + 1))
    else
        echo "bench: quick run failed; see build/bench-smoke.log"; tail -20 build/bench-smoke.log; failed=$((failed + 1))
    fi
fi
[ $skipped -eq 0 ] && echo "$passed passed, $failed failed" || echo "$passed passed, $failed failed, $skipped skipped"
[ $failed -eq 0 ]
