#!/usr/bin/env bash
# Runs the fuzz driver of a sanitizer build on each target for a set time, seeded from the
# sample files and the statements the program writes. An input that stops the driver (a
# sanitizer's report, a crash, runaway memory or a hang) is kept in fuzz-findings/.
#   scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET
set -uo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
findings=fuzz-findings
mkdir -p "$findings"
export ASAN_OPTIONS="detect_leaks=1:hard_rss_limit_mb=4096:malloc_limit_mb=2048:allocator_may_return_null=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/leaks.supp"
status=0
run() {
    local target=$1
    shift
    local work
    work=$(mktemp -d)
    if ! "$build/quarrymere-fuzz" --target "$target" --seconds "$seconds" --findings "$work" "$@"; then
        local kept="$findings/$target-$(date +%Y%m%d-%H%M%S)"
        [ -f "$work/last-input" ] && cp "$work/last-input" "$kept" && echo "finding kept: $kept"
        status=1
    fi
    rm -rf "$work"
}
run access tests/fixtures/access
run workbook tests/fixtures/workbooks/*.xls
run xlsx tests/fixtures/workbooks/*.xlsx
run jet tests/fixtures/access/nwind.mdb tools/fuzz/statements.sql
exit $status
