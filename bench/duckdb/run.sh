#!/bin/sh
# The yardstick beside `make bench-goals`: DuckDB given the same Sales rows and steps (see
# goals.mjs). DuckDB's package for Node.js is installed in BUILD_DIR/duckdb for the benchmark only;
# where Node.js, npm or the package cannot be had, the yardstick is skipped with a note.
#   bench/duckdb/run.sh BUILD_DIR ROWS RUNS
set -u
build=$1 rows=$2 runs=$3
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "duckdb: skipped, $1"; exit 0; }
command -v node >/dev/null 2>&1 || skip "no Node.js (node) on this machine"
dir="$build/duckdb"
mkdir -p "$dir"
if [ ! -d "$dir/node_modules/@duckdb/node-api" ]; then
    command -v npm >/dev/null 2>&1 || skip "no npm on this machine"
    npm install --prefix "$dir" --no-audit --no-fund --silent @duckdb/node-api >/dev/null 2>&1 ||
        skip "npm could not install @duckdb/node-api"
fi
csv="$dir/sales-$rows.csv"
[ -s "$csv" ] || QT_QPA_PLATFORM=offscreen "$build/quarrymere_goals_bench" --rows="$rows" --csv="$csv" ||
    skip "the Sales rows could not be written"
cp "$here/goals.mjs" "$dir/goals.mjs"
echo "## DuckDB, the same $rows rows (median of $runs)"
node "$dir/goals.mjs" "$csv" "$runs"
